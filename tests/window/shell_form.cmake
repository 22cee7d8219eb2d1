# The main window's description loaded with the program's classes.
klarvo_test(shell_form_tests
  SOURCES shell_form_test.cpp
  LIBS klarvo_app klarvo_shell_form klarvo_assets)
set_tests_properties(shell_form_tests PROPERTIES RESOURCE_LOCK desktop)

# The bare layout of the description's seven pages (layout-page-N.png).
klarvo_screens(shell_screens
  SOURCES shell_screens.cpp
  LIBS klarvo_app klarvo_shell_form klarvo_assets)
