# 32-bit Windows with mingw-w64.
set(STROKELINK_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
