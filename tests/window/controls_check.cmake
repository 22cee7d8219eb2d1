# The check control in real windows, driven by real messages.
klarvo_test(check_window_tests
  SOURCES check_window_test.cpp
  LIBS klarvo_controls)
set_tests_properties(check_window_tests PROPERTIES RESOURCE_LOCK desktop)

# Pictures of every look, written to build/screens/check/ for people to see.
klarvo_test(check_gallery
  SOURCES check_gallery.cpp
  LIBS klarvo_controls
  ARGS --out=${CMAKE_SOURCE_DIR}/build/screens/check)
set_tests_properties(check_gallery PROPERTIES RESOURCE_LOCK desktop)

# Per-paint costs, run by hand for reports (not a test).
add_executable(check_bench check_bench.cpp)
target_link_libraries(check_bench PRIVATE klarvo_controls)
klarvo_strict(check_bench)
