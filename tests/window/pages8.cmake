# The HDD Cleaning, Options, Help and About pages on the window's own
# description, with the program's pictures and help text.
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/resources/shell.rc PROPERTIES
  OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/src/resources/shell.form)
klarvo_test(pages8_window_tests
  SOURCES pages8_hdd_test.cpp pages8_options_test.cpp pages8_help_about_test.cpp
          ${CMAKE_SOURCE_DIR}/src/resources/shell.rc ${CMAKE_SOURCE_DIR}/src/resources/assets.rc
  LIBS klarvo_app
  ARGS --backgrounds=${CMAKE_SOURCE_DIR}/src/resources/backgrounds)
target_include_directories(pages8_window_tests PRIVATE ${CMAKE_SOURCE_DIR}/src/resources ${CMAKE_CURRENT_SOURCE_DIR})
set_tests_properties(pages8_window_tests PROPERTIES RESOURCE_LOCK desktop)

# Not a test: pictures of these pages for people to look at (make screens
# with tests/window/pages8_screens.exe in SCREEN_PROGRAMS).
add_executable(pages8_screens pages8_screens.cpp
  ${CMAKE_SOURCE_DIR}/src/resources/shell.rc ${CMAKE_SOURCE_DIR}/src/resources/assets.rc)
target_include_directories(pages8_screens PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src/resources)
target_link_libraries(pages8_screens PRIVATE klarvo_app klarvo_test_support)
klarvo_strict(pages8_screens)
