# The RAM pages' up-downs and the picture on real windows and bitmaps.
klarvo_test(info_window_tests
  SOURCES info_window_test.cpp
  LIBS klarvo_pages)
set_tests_properties(info_window_tests PROPERTIES RESOURCE_LOCK desktop)

# Pictures of the free-memory graph for a few histories.
klarvo_screens(info_graph_gallery
  SOURCES info_graph_gallery.cpp
  LIBS klarvo_pages)
