# The help reader's text and navigation, and the built-in resources it and
# the window chrome use. Built from its own sources so that it does not wait
# for the window code.
klarvo_test(help_tests
  SOURCES help_text_test.cpp help_navigation_test.cpp help_assets_test.cpp
          ${CMAKE_SOURCE_DIR}/src/pages/HelpText.cpp
          ${CMAKE_SOURCE_DIR}/src/resources/assets.rc)
