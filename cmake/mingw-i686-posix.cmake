# 32-bit Windows, posix thread model: the tests (GoogleTest needs std::mutex).
set(klarvo_arch i686)
set(klarvo_threads posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
