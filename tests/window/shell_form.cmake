# The main window's description loaded with the real classes. The resource
# compiler does not report the description as a dependency of its script.
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/resources/shell.rc PROPERTIES
  OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/src/resources/shell.form)
klarvo_test(shell_form_tests
  SOURCES shell_form_test.cpp ${CMAKE_SOURCE_DIR}/src/resources/shell.rc ${CMAKE_SOURCE_DIR}/src/resources/assets.rc
  LIBS klarvo_controls)
target_include_directories(shell_form_tests PRIVATE ${CMAKE_SOURCE_DIR}/src/resources)
set_tests_properties(shell_form_tests PROPERTIES RESOURCE_LOCK desktop)

# Not a test: pictures of the seven pages for people to look at, made by
# `make screens`.
add_executable(shell_screens shell_screens.cpp ${CMAKE_SOURCE_DIR}/tests/support/Png.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/Process.cpp
  ${CMAKE_SOURCE_DIR}/src/resources/shell.rc ${CMAKE_SOURCE_DIR}/src/resources/assets.rc)
target_include_directories(shell_screens PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src/resources)
target_link_libraries(shell_screens PRIVATE klarvo_controls)
klarvo_strict(shell_screens)
