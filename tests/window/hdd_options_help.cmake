# The HDD Cleaning, Options, Help and About pages on the window's own
# description, with the program's pictures and help text.
klarvo_test(hdd_options_help_window_tests
  SOURCES hdd_page_test.cpp options_page_test.cpp help_about_pages_test.cpp
  LIBS klarvo_app klarvo_shell_form klarvo_assets
  ARGS --backgrounds=${CMAKE_SOURCE_DIR}/src/resources/backgrounds)
set_tests_properties(hdd_options_help_window_tests PROPERTIES RESOURCE_LOCK desktop)

# These pages after a first run (pages-*.png).
klarvo_screens(hdd_options_help_screens
  SOURCES hdd_options_help_screens.cpp
  LIBS klarvo_app klarvo_shell_form klarvo_assets)
