# The koyomi command is tested by running it, so it must be built first.
if(TARGET tamarie-koyomi AND TARGET test_rules)
  add_dependencies(test_rules tamarie-koyomi)
  target_compile_definitions(test_rules PRIVATE TAMARIE_KOYOMI_PATH="$<TARGET_FILE:tamarie-koyomi>")
endif()
