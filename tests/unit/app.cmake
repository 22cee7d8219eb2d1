klarvo_test(app_unit_tests
  SOURCES page_argument_test.cpp
  LIBS klarvo_app)
