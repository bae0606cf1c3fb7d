# The interrupted-save test kills a program that saves every kind of file the
# editor writes.
if(TARGET test_platform AND TARGET tamarie_main)
  add_executable(tamarie_save_probe ${CMAKE_CURRENT_LIST_DIR}/save_probe/save_probe.cpp)
  target_link_libraries(tamarie_save_probe PRIVATE tamarie_main)
  set_target_properties(tamarie_save_probe PROPERTIES BUILD_RPATH "${TAMARIE_BIN_DIR}")
  add_dependencies(test_platform tamarie_save_probe)
  target_compile_definitions(test_platform PRIVATE TAMARIE_SAVE_PROBE_PATH="$<TARGET_FILE:tamarie_save_probe>")
endif()
