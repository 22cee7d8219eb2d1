# The Info, Auto RAM Cleaning and RAM Cleaning pages joined to the main
# window, driven through its own description and real messages.
klarvo_test(wire7_window_tests
  SOURCES wire7_info_test.cpp wire7_ram_test.cpp
          ${CMAKE_SOURCE_DIR}/src/resources/shell.rc ${CMAKE_SOURCE_DIR}/src/resources/assets.rc
  LIBS klarvo_app)
target_include_directories(wire7_window_tests PRIVATE ${CMAKE_SOURCE_DIR}/src/resources ${CMAKE_CURRENT_SOURCE_DIR})
set_tests_properties(wire7_window_tests PROPERTIES RESOURCE_LOCK desktop)

# Timings of the refresh tick with the Info page shown, run by hand (not a
# test).
add_executable(wire7_bench wire7_bench.cpp
  ${CMAKE_SOURCE_DIR}/src/resources/shell.rc ${CMAKE_SOURCE_DIR}/src/resources/assets.rc)
target_include_directories(wire7_bench PRIVATE ${CMAKE_SOURCE_DIR}/src/resources)
target_link_libraries(wire7_bench PRIVATE klarvo_app klarvo_test_support)
klarvo_strict(wire7_bench)
