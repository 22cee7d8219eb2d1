klarvo_test(e2e_shell
  SOURCES shell_e2e_test.cpp
  LIBS klarvo_settings klarvo_standin
  ARGS --shell=$<TARGET_FILE:KlarvoShell> --standin=$<TARGET_FILE:KlarvoStandin>)
add_dependencies(e2e_shell KlarvoShell KlarvoStandin)
set_tests_properties(e2e_shell PROPERTIES RESOURCE_LOCK desktop)
