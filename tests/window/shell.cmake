# The main window in-process on the program's own description, with its
# pictures and help text.
set(shell_test_resources
  ${CMAKE_SOURCE_DIR}/src/resources/shell.rc
  ${CMAKE_SOURCE_DIR}/src/resources/assets.rc)

klarvo_test(shell_window_tests
  SOURCES shell_lifecycle_test.cpp shell_chrome_test.cpp shell_values_test.cpp shell_description_test.cpp
          ${shell_test_resources}
  LIBS klarvo_app
  ARGS --backgrounds=${CMAKE_SOURCE_DIR}/src/resources/backgrounds)
target_include_directories(shell_window_tests PRIVATE ${CMAKE_SOURCE_DIR}/src/resources ${CMAKE_CURRENT_SOURCE_DIR})
set_tests_properties(shell_window_tests PROPERTIES RESOURCE_LOCK desktop)

# Closing ends the application, which cannot be undone within a process.
klarvo_test(shell_close_tests
  SOURCES shell_close_test.cpp ${shell_test_resources}
  LIBS klarvo_app)
target_include_directories(shell_close_tests PRIVATE ${CMAKE_SOURCE_DIR}/src/resources ${CMAKE_CURRENT_SOURCE_DIR})
set_tests_properties(shell_close_tests PROPERTIES RESOURCE_LOCK desktop)

# Timings of the window's own work, run by hand (not a test).
add_executable(shell_bench shell_bench.cpp ${shell_test_resources})
target_include_directories(shell_bench PRIVATE ${CMAKE_SOURCE_DIR}/src/resources)
target_link_libraries(shell_bench PRIVATE klarvo_app klarvo_test_support)
klarvo_strict(shell_bench)

# Pictures of the real window's seven pages for people to look at
# (build/screens/page-N.png through `make screens`; a test run writes them
# into the test's own directory).
klarvo_test(shell_page_screens
  SOURCES shell_page_screens.cpp ${shell_test_resources}
  LIBS klarvo_app)
target_include_directories(shell_page_screens PRIVATE ${CMAKE_SOURCE_DIR}/src/resources ${CMAKE_CURRENT_SOURCE_DIR})
set_tests_properties(shell_page_screens PROPERTIES RESOURCE_LOCK desktop)
