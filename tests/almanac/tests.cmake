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

# The 32-bit Windows DLL cross-built by test.sh: its export table, import
# library and code, read with the cross binutils.
if(ALMANAC_WIN32_DLL)
  find_program(ALMANAC_WIN32_OBJDUMP i686-w64-mingw32-objdump REQUIRED)
  find_program(ALMANAC_WIN32_NM i686-w64-mingw32-nm REQUIRED)
  if(NOT ALMANAC_WIN32_IMPLIB)
    get_filename_component(win32_build "${ALMANAC_WIN32_DLL}" DIRECTORY)
    set(ALMANAC_WIN32_IMPLIB "${win32_build}/../lib/libalmanac.dll.a")
  endif()
  add_test(NAME almanac_win32_exports
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${ALMANAC_WIN32_OBJDUMP} -DNM=${ALMANAC_WIN32_NM}
            -DDLL=${ALMANAC_WIN32_DLL} -DIMPLIB=${ALMANAC_WIN32_IMPLIB}
            -P ${CMAKE_CURRENT_LIST_DIR}/win32_exports_check.cmake)
endif()

# The shared library on this platform defines the nine exports and nothing else.
if(CMAKE_NM AND NOT WIN32 AND NOT APPLE)
  add_test(NAME almanac_shared_exports
    COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DLIBRARY=$<TARGET_FILE:almanac>
            -P ${CMAKE_CURRENT_SOURCE_DIR}/almanac/shared_exports_check.cmake)
endif()

# A foreign caller with a hostile floating-point state gets this platform's
# answers from this library and, when test.sh built it, from the 32-bit one
# (under ALMANAC_I386_RUNNER, an emulator, where the kernel cannot start it).
include(${CMAKE_CURRENT_LIST_DIR}/float_caller/float_caller.cmake)
set(almanac_float_reference ${CMAKE_CURRENT_BINARY_DIR}/almanac_float_reference.txt)
add_test(NAME almanac_float_reference
  COMMAND almanac_float_caller reference ${almanac_float_reference})
set_tests_properties(almanac_float_reference PROPERTIES FIXTURES_SETUP almanac_float_reference)
add_test(NAME almanac_float_state_native COMMAND almanac_float_caller compare ${almanac_float_reference})
set_tests_properties(almanac_float_state_native PROPERTIES FIXTURES_REQUIRED almanac_float_reference)
if(ALMANAC_I386_CALLER)
  add_test(NAME almanac_float_state_i386 COMMAND ${ALMANAC_I386_RUNNER} ${ALMANAC_I386_CALLER} compare ${almanac_float_reference})
  set_tests_properties(almanac_float_state_i386 PROPERTIES FIXTURES_REQUIRED almanac_float_reference)
endif()
