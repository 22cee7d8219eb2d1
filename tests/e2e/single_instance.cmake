klarvo_test(e2e_single_instance
  SOURCES single_instance_test.cpp
  LIBS klarvo_app
  ARGS --shell=$<TARGET_FILE:KlarvoShell> --standin=$<TARGET_FILE:KlarvoStandin>)
add_dependencies(e2e_single_instance KlarvoShell KlarvoStandin)
# Every end-to-end test owns the desktop and the shell's mutex while it runs.
set_tests_properties(e2e_single_instance PROPERTIES RESOURCE_LOCK desktop)
