# The recovery test kills a program that keeps writing a recovery copy.
if(TARGET test_document)
  add_executable(tamarie_recovery_probe ${CMAKE_CURRENT_LIST_DIR}/recovery_probe/recovery_probe.cpp)
  target_include_directories(tamarie_recovery_probe PRIVATE ${CMAKE_CURRENT_LIST_DIR}/recovery_probe)
  target_link_libraries(tamarie_recovery_probe PRIVATE tamarie_document)
  add_dependencies(test_document tamarie_recovery_probe)
  target_compile_definitions(test_document PRIVATE TAMARIE_RECOVERY_PROBE_PATH="$<TARGET_FILE:tamarie_recovery_probe>")
endif()
