# The help reader's text and navigation, and the built-in resources it and
# the window chrome use.
klarvo_test(help_tests
  SOURCES help_text_test.cpp help_navigation_test.cpp help_assets_test.cpp
  LIBS klarvo_pages klarvo_assets)
