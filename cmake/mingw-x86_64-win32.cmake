# 64-bit Windows, win32 thread model: the release programs, which must import
# nothing that Windows 95 lacks.
set(klarvo_arch x86_64)
set(klarvo_threads win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
