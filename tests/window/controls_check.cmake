# The check control in real windows, driven by real messages.
klarvo_test(check_window_tests
  SOURCES check_window_test.cpp
  LIBS klarvo_controls klarvo_recording)
set_tests_properties(check_window_tests PROPERTIES RESOURCE_LOCK desktop)

# Pictures of every look, for people to see.
klarvo_screens(check_gallery OUT check
  SOURCES check_gallery.cpp
  LIBS klarvo_controls)
