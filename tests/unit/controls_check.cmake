# The check control's arithmetic: geometry, colours and the field's picture.
klarvo_test(check_unit_tests
  SOURCES check_layout_test.cpp check_field_test.cpp
  LIBS klarvo_controls klarvo_recording)
