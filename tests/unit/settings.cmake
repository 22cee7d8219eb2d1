klarvo_test(settings_tests
  SOURCES conf_file_test.cpp conf_str_test.cpp conf_format_test.cpp slot_table_test.cpp
  LIBS klarvo_settings)
