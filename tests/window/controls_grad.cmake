# The gradient button, the digit edit and the hint window in real windows,
# driven by real messages.
klarvo_test(gradbtn_window_tests
  SOURCES gradbtn_test.cpp cool_hint_test.cpp controls_form_test.cpp
  LIBS klarvo_controls)
set_tests_properties(gradbtn_window_tests PROPERTIES RESOURCE_LOCK desktop)
klarvo_test(digit_edit_window_tests
  SOURCES digit_edit_test.cpp
  LIBS klarvo_controls)
set_tests_properties(digit_edit_window_tests PROPERTIES RESOURCE_LOCK desktop)

# Pictures of every look, written to build/screens/grad/ for people to see.
klarvo_test(controls_grad_gallery
  SOURCES gradbtn_gallery.cpp
  LIBS klarvo_controls
  ARGS --out=${CMAKE_SOURCE_DIR}/build/screens/grad)
set_tests_properties(controls_grad_gallery PROPERTIES RESOURCE_LOCK desktop)

# Not a test: prints the time per paint of each gradient style.
add_executable(gradbtn_bench ${CMAKE_SOURCE_DIR}/tests/bench/gradbtn_bench.cpp)
target_link_libraries(gradbtn_bench PRIVATE klarvo_controls)
klarvo_strict(gradbtn_bench)
