klarvo_test(prefix_tests SOURCES prefix_fonts_test.cpp)
