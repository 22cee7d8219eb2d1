# The Info, Auto RAM Cleaning and RAM Cleaning pages joined to the main
# window, driven through its own description and real messages.
klarvo_test(ram_pages_window_tests
  SOURCES info_page_test.cpp ram_pages_test.cpp
  LIBS klarvo_app klarvo_shell_form klarvo_assets)
set_tests_properties(ram_pages_window_tests PROPERTIES RESOURCE_LOCK desktop)
