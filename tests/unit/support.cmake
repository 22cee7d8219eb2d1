klarvo_test(support_tests SOURCES support_png_test.cpp)
