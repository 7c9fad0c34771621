# GoogleTest of a cross build: compiled in the tree by cmake/CrossTesting.cmake.
if(NOT TARGET GTest::gtest)
  message(FATAL_ERROR "GoogleTest of the cross build is compiled by cmake/CrossTesting.cmake")
endif()
set(GTest_FOUND TRUE)
set(GTEST_FOUND TRUE)
