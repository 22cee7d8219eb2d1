# 32-bit Windows, win32 thread model: the release programs, which must import
# nothing that Windows 95 lacks.
set(klarvo_arch i686)
set(klarvo_threads win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
