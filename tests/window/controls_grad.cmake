# The gradient button, the digit edit and the hint window in real windows,
# driven by real messages.
klarvo_test(gradbtn_window_tests
  SOURCES gradbtn_test.cpp cool_hint_test.cpp controls_form_test.cpp
  LIBS klarvo_controls klarvo_recording)
set_tests_properties(gradbtn_window_tests PROPERTIES RESOURCE_LOCK desktop)
klarvo_test(digit_edit_window_tests
  SOURCES digit_edit_test.cpp
  LIBS klarvo_controls)
set_tests_properties(digit_edit_window_tests PROPERTIES RESOURCE_LOCK desktop)

# Pictures of every look, for people to see.
klarvo_screens(gradbtn_gallery OUT grad
  SOURCES gradbtn_gallery.cpp
  LIBS klarvo_controls)
