# The setup program end to end, in a throwaway prefix of its own; make test
# builds dist/KlarvoSetup.exe first. It shows a window on the display.
add_test(NAME e2e_install COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/install_test.sh
  ${CMAKE_SOURCE_DIR}/dist/KlarvoSetup.exe)
set_tests_properties(e2e_install PROPERTIES TIMEOUT 300 RESOURCE_LOCK desktop)
