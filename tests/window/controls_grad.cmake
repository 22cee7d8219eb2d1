# The gradient button and the hint window in real windows, driven by real
# messages.
klarvo_test(gradbtn_window_tests
  SOURCES gradbtn_test.cpp cool_hint_test.cpp
  LIBS klarvo_controls)
set_tests_properties(gradbtn_window_tests PROPERTIES RESOURCE_LOCK desktop)
