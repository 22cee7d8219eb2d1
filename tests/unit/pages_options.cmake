# The Options page's rules that need no window.
klarvo_test(options_rules_tests
  SOURCES options_rules_test.cpp
  LIBS klarvo_pages)
