klarvo_test(resident_unit_tests
  SOURCES resident_path_rules_test.cpp resident_ram_test.cpp resident_model_test.cpp win_owners_test.cpp
    resident_tray_test.cpp resident_command_line_test.cpp
  LIBS klarvo_resident_command klarvo_resident_window)
klarvo_test(resident_disk_tests SANDBOXED
  SOURCES resident_disk_test.cpp resident_places_test.cpp
  LIBS klarvo_resident_command klarvo_resident_window)
# The same tests through the path of Windows 95 and 98, which Wine never
# takes by itself.
add_test(NAME resident_disk_tests_9x COMMAND resident_disk_tests --line=9x)
set_tests_properties(resident_disk_tests_9x PROPERTIES TIMEOUT 300
  ENVIRONMENT_MODIFICATION "WINEPREFIX=string_append:-sandbox")
# The cleaner's log, held by viewers of every kind, on both paths.
klarvo_test(resident_log_tests
  SOURCES resident_log_test.cpp
  LIBS klarvo_resident_command klarvo_resident_window)
add_test(NAME resident_log_tests_9x COMMAND resident_log_tests --line=9x)
set_tests_properties(resident_log_tests_9x PROPERTIES TIMEOUT 300)
# What a clearing left, summed in the log, and the 9x delete that puts a file
# back, on both paths.
klarvo_test(resident_outcomes_tests SANDBOXED
  SOURCES resident_outcomes_test.cpp
  LIBS klarvo_resident_command klarvo_resident_window)
add_test(NAME resident_outcomes_tests_9x COMMAND resident_outcomes_tests --line=9x)
set_tests_properties(resident_outcomes_tests_9x PROPERTIES TIMEOUT 300
  ENVIRONMENT_MODIFICATION "WINEPREFIX=string_append:-sandbox")
# Links can only be made from the Linux side: a script builds them in the
# sandbox prefix around a run of the disk tests.
add_test(NAME resident_disk_links
  COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/resident_links.sh $<TARGET_FILE:resident_disk_tests>)
add_test(NAME resident_disk_links_nt4
  COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/resident_links.sh $<TARGET_FILE:resident_disk_tests> nt4)
add_test(NAME resident_disk_links_9x
  COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/resident_links.sh $<TARGET_FILE:resident_disk_tests> 9x)
set_tests_properties(resident_disk_links resident_disk_links_nt4 resident_disk_links_9x PROPERTIES TIMEOUT 300
  ENVIRONMENT_MODIFICATION "WINEPREFIX=string_append:-sandbox;KLARVO_WINE=set:${KLARVO_WINE}")
# Drive letters that lead into protected places: a throwaway prefix with
# Wine's drive links, both paths.
add_test(NAME resident_disk_drives
  COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/resident_drives.sh $<TARGET_FILE:resident_disk_tests>)
set_tests_properties(resident_disk_drives PROPERTIES TIMEOUT 300
  ENVIRONMENT_MODIFICATION "WINEPREFIX=string_append:-sandbox;KLARVO_WINE=set:${KLARVO_WINE}")
