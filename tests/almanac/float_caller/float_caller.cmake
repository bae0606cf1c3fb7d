# The foreign caller of the almanac library, built in every build: run by the
# tests natively and in the 32-bit Linux build; in the 32-bit Windows build
# it is only linked, which proves the import library matches the header's
# stdcall declarations.
add_executable(almanac_float_caller ${CMAKE_CURRENT_LIST_DIR}/float_state_caller.cpp)
target_link_libraries(almanac_float_caller PRIVATE almanac)
set_target_properties(almanac_float_caller PROPERTIES BUILD_RPATH "${TAMARIE_BIN_DIR}")
if(WIN32)
  # No silent fall-back from _Name@n to an undecorated import.
  target_link_options(almanac_float_caller PRIVATE -Wl,--disable-stdcall-fixup)
endif()
