# GoogleTest built from Debian's sources with the cross compiler.
set(VL_GTEST_ROOT /usr/src/googletest/googletest CACHE PATH "GoogleTest sources")
add_library(vl_gtest STATIC ${VL_GTEST_ROOT}/src/gtest-all.cc)
target_include_directories(vl_gtest SYSTEM PUBLIC ${VL_GTEST_ROOT}/include)
target_include_directories(vl_gtest PRIVATE ${VL_GTEST_ROOT})
add_library(vl_gtest_main STATIC ${VL_GTEST_ROOT}/src/gtest_main.cc)
target_link_libraries(vl_gtest_main PUBLIC vl_gtest)
