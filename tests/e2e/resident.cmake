# The real resident cleaner as a separate process, copied into each test's
# own directory.
klarvo_test(e2e_resident
  SOURCES resident_e2e_test.cpp
  LIBS klarvo_resident_command klarvo_resident_window
  ARGS --cleaner=$<TARGET_FILE:Klarvo>)
add_dependencies(e2e_resident Klarvo)
set_tests_properties(e2e_resident PROPERTIES RESOURCE_LOCK desktop)

# Deleting tests of the real cleaner: the sandbox prefix, where only drive
# C: exists; each runs again with the cleaner told that the functions of the
# NT line are missing: the path of Windows 95 and 98.
function(klarvo_cleaner_test name source)
  klarvo_test(${name} SANDBOXED
    SOURCES ${source}
    LIBS klarvo_resident_command klarvo_resident_window
    ARGS --cleaner=$<TARGET_FILE:Klarvo>)
  add_dependencies(${name} Klarvo)
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK desktop)
  add_test(NAME ${name}_9x COMMAND ${name} --cleaner=$<TARGET_FILE:Klarvo> --line=9x)
  set_tests_properties(${name}_9x PROPERTIES TIMEOUT 300 RESOURCE_LOCK desktop
    ENVIRONMENT_MODIFICATION "WINEPREFIX=string_append:-sandbox")
endfunction()

klarvo_cleaner_test(e2e_resident_disk resident_disk_e2e_test.cpp)
# The cleaner started with switches: one cleaning beside a resident cleaner,
# exit codes and the help box.
klarvo_cleaner_test(e2e_command_line command_line_e2e_test.cpp)
