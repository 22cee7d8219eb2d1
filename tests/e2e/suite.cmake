# The real shell and the real resident cleaner together, each its own
# process, in one fresh directory. Run in the sandbox prefix because the
# Clear button deletes files.
klarvo_test(e2e_suite SANDBOXED
  SOURCES suite_e2e_test.cpp
  LIBS klarvo_settings
  ARGS --shell=$<TARGET_FILE:KlarvoShell> --cleaner=$<TARGET_FILE:Klarvo>)
add_dependencies(e2e_suite KlarvoShell Klarvo)
set_tests_properties(e2e_suite PROPERTIES RESOURCE_LOCK desktop)

# Another program posting both programs whatever it likes, down to a flood
# of forged messages; in the sandbox, since the flood asks for cleanings.
klarvo_test(e2e_hostile SANDBOXED
  SOURCES hostile_e2e_test.cpp hostile.cpp
  LIBS klarvo_settings klarvo_resident_command klarvo_resident_window
  ARGS --shell=$<TARGET_FILE:KlarvoShell> --cleaner=$<TARGET_FILE:Klarvo>)
add_dependencies(e2e_hostile KlarvoShell Klarvo)
set_tests_properties(e2e_hostile PROPERTIES RESOURCE_LOCK desktop)

# The cleaner closed fast and often under the running shell, as the tray's
# Exit and a neighbour close it: a few rounds of fifteen closes here, twenty
# in `make test-stress`, which alone runs the tests labelled stress.
klarvo_test(e2e_exit_race SANDBOXED
  SOURCES exit_race_e2e_test.cpp
  LIBS klarvo_settings klarvo_resident_command klarvo_resident_window
  ARGS --shell=$<TARGET_FILE:KlarvoShell> --cleaner=$<TARGET_FILE:Klarvo> --rounds=2)
add_dependencies(e2e_exit_race KlarvoShell Klarvo)
set_tests_properties(e2e_exit_race PROPERTIES RESOURCE_LOCK desktop)
add_test(NAME e2e_exit_race_stress
  COMMAND e2e_exit_race --shell=$<TARGET_FILE:KlarvoShell> --cleaner=$<TARGET_FILE:Klarvo> --rounds=20)
set_tests_properties(e2e_exit_race_stress PROPERTIES
  TIMEOUT 2400 LABELS stress RESOURCE_LOCK desktop
  ENVIRONMENT_MODIFICATION "WINEPREFIX=string_append:-sandbox")
