# marlune_shared_module(<target> <sources>...)
#
# A deliverable shared object. It behaves like a Windows DLL: the static
# pieces it links stay private to it (--exclude-libs), nothing it does not
# mark for export is visible, and -fno-gnu-unique lets the last dlclose
# really unload it so its process-detach work runs at that moment.
function(marlune_shared_module target)
  add_library(${target} SHARED ${ARGN})
  set_target_properties(${target} PROPERTIES PREFIX "")
  target_compile_options(${target} PRIVATE -fno-gnu-unique)
  target_link_options(${target} PRIVATE -Wl,--exclude-libs,ALL -Wl,--no-undefined)
endfunction()

# marlune_gtest(<target> <sources>...)
#
# One GoogleTest program for one folder of tests/, registered with CTest.
function(marlune_gtest target)
  add_executable(${target} ${ARGN})
  target_link_libraries(${target} PRIVATE GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "MARLUNE_BUILD_DIR=${CMAKE_BINARY_DIR}")
endfunction()
