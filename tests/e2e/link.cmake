klarvo_test(e2e_link
  SOURCES link_e2e_test.cpp
  LIBS klarvo_link klarvo_standin
  ARGS --standin=$<TARGET_FILE:KlarvoStandin>)
add_dependencies(e2e_link KlarvoStandin)
set_tests_properties(e2e_link PROPERTIES RESOURCE_LOCK desktop)
