# The recording stand-in for the resident cleaner; tests copy it into their
# directory as Klarvo.exe. Never part of dist/.
add_executable(KlarvoStandin WIN32 ${CMAKE_SOURCE_DIR}/tests/standin/Standin.cpp)
target_include_directories(KlarvoStandin PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
klarvo_strict(KlarvoStandin)

klarvo_test(e2e_link
  SOURCES link_e2e_test.cpp
  LIBS klarvo_link
  ARGS --standin=$<TARGET_FILE:KlarvoStandin>)
add_dependencies(e2e_link KlarvoStandin)
set_tests_properties(e2e_link PROPERTIES RESOURCE_LOCK desktop)
