# The mingw-w64 cross toolchain for one architecture and thread model, which
# the toolchain file that includes this one names in klarvo_arch and
# klarvo_threads.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${klarvo_arch})
set(CMAKE_C_COMPILER ${klarvo_arch}-w64-mingw32-gcc-${klarvo_threads})
set(CMAKE_CXX_COMPILER ${klarvo_arch}-w64-mingw32-g++-${klarvo_threads})
set(CMAKE_RC_COMPILER ${klarvo_arch}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${klarvo_arch}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
