# The main window in-process on the program's own description, with its
# pictures and help text.
klarvo_test(shell_window_tests
  SOURCES shell_lifecycle_test.cpp shell_chrome_test.cpp shell_values_test.cpp
  LIBS klarvo_app klarvo_shell_form klarvo_assets klarvo_shell_program klarvo_recording
  ARGS --backgrounds=${CMAKE_SOURCE_DIR}/src/resources/backgrounds)
set_tests_properties(shell_window_tests PROPERTIES RESOURCE_LOCK desktop)

# Closing ends the application, which cannot be undone within a process.
klarvo_test(shell_close_tests
  SOURCES shell_close_test.cpp
  LIBS klarvo_app klarvo_shell_form klarvo_assets)
set_tests_properties(shell_close_tests PROPERTIES RESOURCE_LOCK desktop)

# The real window's seven pages after a minute of simulated use
# (page-N.png).
klarvo_screens(shell_page_screens
  SOURCES shell_page_screens.cpp
  LIBS klarvo_app klarvo_shell_form klarvo_assets)

# The fatal paths end the application: their own program.
klarvo_test(shell_end_tests
  SOURCES shell_end_test.cpp
  LIBS klarvo_app klarvo_shell_form klarvo_assets)
set_tests_properties(shell_end_tests PROPERTIES RESOURCE_LOCK desktop)

# The window as a person drives it: mouse and keyboard through the
# platform's input queue.
klarvo_test(shell_input_tests
  SOURCES shell_input_test.cpp
  LIBS klarvo_app klarvo_shell_form klarvo_assets)
set_tests_properties(shell_input_tests PROPERTIES RESOURCE_LOCK desktop)

# A minute of refresh ticks on each page and minimised: the drawing calls
# and allocations it makes, counted. Its own program: it counts operator new.
klarvo_test(info_idle_tests
  SOURCES info_idle_test.cpp
  LIBS klarvo_app klarvo_shell_form klarvo_assets)
set_tests_properties(info_idle_tests PROPERTIES RESOURCE_LOCK desktop)

# The window driven by keys alone, and the dialogs kept on the screen. The
# dialogs' test runs again on a 640 x 480 screen (make test-small-screen).
klarvo_test(shell_keyboard_tests
  SOURCES shell_keyboard_test.cpp
  LIBS klarvo_app klarvo_shell_form klarvo_assets)
set_tests_properties(shell_keyboard_tests PROPERTIES RESOURCE_LOCK desktop LABELS screen)
