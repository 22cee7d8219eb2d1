# The real resident cleaner as a separate process, copied into each test's
# own directory.
klarvo_test(e2e_resident
  SOURCES resident_e2e_test.cpp
  LIBS klarvo_resident
  ARGS --cleaner=$<TARGET_FILE:Klarvo>)
add_dependencies(e2e_resident Klarvo)
set_tests_properties(e2e_resident PROPERTIES RESOURCE_LOCK desktop)

# Deleting tests: the sandbox prefix, where only drive C: exists.
klarvo_test(e2e_resident_disk SANDBOXED
  SOURCES resident_disk_e2e_test.cpp
  LIBS klarvo_resident
  ARGS --cleaner=$<TARGET_FILE:Klarvo>)
add_dependencies(e2e_resident_disk Klarvo)
set_tests_properties(e2e_resident_disk PROPERTIES RESOURCE_LOCK desktop)
# The same, with the cleaner told that the functions of the NT line are
# missing: the path of Windows 95 and 98.
add_test(NAME e2e_resident_disk_9x COMMAND e2e_resident_disk --cleaner=$<TARGET_FILE:Klarvo> --line=9x)
set_tests_properties(e2e_resident_disk_9x PROPERTIES TIMEOUT 300 RESOURCE_LOCK desktop
  ENVIRONMENT_MODIFICATION "WINEPREFIX=string_append:-sandbox")

# The cleaner started with switches: one cleaning beside a resident cleaner,
# exit codes and the help box, on both paths.
klarvo_test(e2e_command_line SANDBOXED
  SOURCES command_line_e2e_test.cpp
  LIBS klarvo_resident
  ARGS --cleaner=$<TARGET_FILE:Klarvo>)
add_dependencies(e2e_command_line Klarvo)
set_tests_properties(e2e_command_line PROPERTIES RESOURCE_LOCK desktop)
add_test(NAME e2e_command_line_9x COMMAND e2e_command_line --cleaner=$<TARGET_FILE:Klarvo> --line=9x)
set_tests_properties(e2e_command_line_9x PROPERTIES TIMEOUT 300 RESOURCE_LOCK desktop
  ENVIRONMENT_MODIFICATION "WINEPREFIX=string_append:-sandbox")
