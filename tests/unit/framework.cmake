# The framework's plain parts: components, fonts, colours, the recording
# canvas and the form-description reader.
klarvo_test(framework_unit_tests
  SOURCES framework_form_reader_test.cpp framework_form_parser_test.cpp framework_basics_test.cpp
          framework_lz4_test.cpp
  LIBS klarvo_framework_loader klarvo_recording)
