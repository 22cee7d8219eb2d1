# The Options page's rules that need no window, from their own source so
# that they do not wait for the window code.
klarvo_test(options_rules_tests
  SOURCES pages8_options_rules_test.cpp ${CMAKE_SOURCE_DIR}/src/pages/OptionsRules.cpp)
