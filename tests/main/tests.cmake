# tamarie-render is tested by running it on a file the editor wrote.
if(TARGET tamarie-render AND TARGET test_main)
  add_dependencies(test_main tamarie-render)
  target_compile_definitions(test_main PRIVATE TAMARIE_RENDER_PATH="$<TARGET_FILE:tamarie-render>")
endif()
