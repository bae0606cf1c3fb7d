# Tests of the library's internal routines (series, searches, year tables)
# link the same objects statically: the shared library exports nine names only.
file(GLOB almanac_internal_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/almanac/internal/*.cpp)
if(almanac_internal_tests)
  add_executable(test_almanac_internal ${almanac_internal_tests})
  target_include_directories(test_almanac_internal PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(test_almanac_internal PRIVATE almanac_internal
    GTest::gtest GTest::gmock GTest::gtest_main Qt6::Core)
  gtest_discover_tests(test_almanac_internal DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
endif()

# The 32-bit Windows DLL cross-built by test.sh: its export and import tables.
if(ALMANAC_WIN32_DLL)
  target_compile_definitions(test_almanac PRIVATE ALMANAC_WIN32_DLL_PATH="${ALMANAC_WIN32_DLL}")
endif()

# The shared library on this platform defines the nine exports and nothing else.
if(CMAKE_NM AND NOT WIN32 AND NOT APPLE)
  add_test(NAME almanac_shared_exports
    COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DLIBRARY=$<TARGET_FILE:almanac>
            -P ${CMAKE_CURRENT_SOURCE_DIR}/almanac/shared_exports_check.cmake)
endif()
