klarvo_test(support_tests SOURCES support_png_test.cpp)
klarvo_test(sandbox_tests SANDBOXED SOURCES sandbox_test.cpp)
