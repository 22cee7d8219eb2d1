set(info_window_sources
  ${CMAKE_SOURCE_DIR}/src/pages/FreeRamHistory.cpp
  ${CMAKE_SOURCE_DIR}/src/pages/InfoGraph.cpp
  ${CMAKE_SOURCE_DIR}/src/pages/InfoFigures.cpp
  ${CMAKE_SOURCE_DIR}/src/pages/FreeRamPages.cpp)
# The RAM pages' up-downs and the picture on real windows and bitmaps.
klarvo_test(info_window_tests
  SOURCES info_window_test.cpp ${info_window_sources}
  LIBS klarvo_framework klarvo_link)
set_tests_properties(info_window_tests PROPERTIES RESOURCE_LOCK desktop)

# Pictures of the free-memory graph for a few histories, written to
# build/screens/ for people to look at.
klarvo_test(info_graph_gallery
  SOURCES info_graph_gallery.cpp ${info_window_sources}
  LIBS klarvo_framework klarvo_link
  ARGS --out=${CMAKE_SOURCE_DIR}/build/screens)
