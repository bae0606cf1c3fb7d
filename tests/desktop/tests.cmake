# The desktop suites: the real program on its own X server with a window
# manager and a compositor, each suite also again with the fallback (no
# compositor) where it says so.  Labelled "desktop" so a run can leave them
# out (ctest -LE desktop).  desktop.py holds what the suites share.
find_package(Python3 COMPONENTS Interpreter REQUIRED)

# add_desktop_suite(NAME script.py [NO_COMPOSITOR_TOO] [TIMEOUT seconds])
function(add_desktop_suite name script)
  cmake_parse_arguments(S "NO_COMPOSITOR_TOO" "TIMEOUT" "" ${ARGN})
  if(NOT S_TIMEOUT)
    set(S_TIMEOUT 180)
  endif()
  add_test(NAME ${name}
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/${script} ${TAMARIE_BIN_DIR})
  set_tests_properties(${name} PROPERTIES LABELS desktop TIMEOUT ${S_TIMEOUT})
  if(S_NO_COMPOSITOR_TOO)
    add_test(NAME ${name}_no_compositor
      COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/${script} ${TAMARIE_BIN_DIR} --no-compositor)
    set_tests_properties(${name}_no_compositor PROPERTIES LABELS desktop TIMEOUT ${S_TIMEOUT})
  endif()
endfunction()

add_desktop_suite(desktop_suite desktop_suite.py NO_COMPOSITOR_TOO)
add_desktop_suite(photos_suite photos_suite.py TIMEOUT 300)
add_desktop_suite(shared_files_suite shared_files_suite.py)
add_desktop_suite(undo_suite undo_suite.py TIMEOUT 240)
add_desktop_suite(recovery_suite recovery_suite.py)
