klarvo_test(controls_grad_unit_tests
  SOURCES gradbtn_bands_test.cpp hint_shape_test.cpp digit_text_test.cpp
  LIBS klarvo_controls)
