# The Info page's picture and figures and the two RAM pages' arithmetic,
# built from their own sources so that they do not wait for the window code.
set(info_page_sources
  ${CMAKE_SOURCE_DIR}/src/pages/FreeRamHistory.cpp
  ${CMAKE_SOURCE_DIR}/src/pages/InfoGraph.cpp
  ${CMAKE_SOURCE_DIR}/src/pages/InfoFigures.cpp
  ${CMAKE_SOURCE_DIR}/src/pages/FreeRamPages.cpp)
klarvo_test(info_unit_tests
  SOURCES info_graph_test.cpp info_figures_test.cpp info_timers_test.cpp info_pages_test.cpp
          ${info_page_sources}
  LIBS klarvo_framework klarvo_link)

# Not a test: prints the time one refresh tick spends drawing the picture.
add_executable(info_graph_bench ${CMAKE_SOURCE_DIR}/tests/bench/info_graph_bench.cpp ${info_page_sources})
target_link_libraries(info_graph_bench PRIVATE klarvo_framework klarvo_link klarvo_test_support)
klarvo_strict(info_graph_bench)
