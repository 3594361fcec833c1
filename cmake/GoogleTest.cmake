# GoogleTest is built from Debian's source package so that every target
# (host, -m32, mingw) gets a matching build.
set(STROKELINK_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
# Third-party code: keep our warning flags away from it.
set(_strokelink_saved_options "${CMAKE_CXX_FLAGS}")
add_subdirectory("${STROKELINK_GTEST_SOURCE}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
foreach(target gtest gtest_main)
  set_property(TARGET ${target} PROPERTY COMPILE_OPTIONS "")
  if(WIN32)
    # Test programs run under Wine as single files: no DLLs of the toolchain.
    target_link_options(${target} INTERFACE -static)
  endif()
endforeach()
include(GoogleTest)
