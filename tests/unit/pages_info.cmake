# The Info page's picture and figures and the two RAM pages' arithmetic.
klarvo_test(info_unit_tests
  SOURCES info_graph_test.cpp info_figures_test.cpp info_timers_test.cpp info_pages_test.cpp
  LIBS klarvo_pages klarvo_recording)
