# Tests of a cross build (the Windows build): GoogleTest compiled from Debian's source package
# with the same compiler, and every test program run by ctest through the emulator (Wine).
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
find_path(GOOGLETEST_SOURCE_DIR googletest/CMakeLists.txt PATHS /usr/src/googletest
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(gtest_target IN ITEMS gtest gtest_main)
  # Its own code, not ours: the project's warnings-as-errors stay out of it.
  target_compile_options(${gtest_target} PRIVATE -Wno-error)
endforeach()
# cmake/cross holds stand-ins for FindGTest and GoogleTest: the first finds the targets above,
# the second registers each test program as one test instead of listing its cases at build
# time, which would start every program under the emulator on every build.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/cross)
