# The desktop suite: the real program on its own X server with a window
# manager and a compositor, then again with the fallback (no compositor).
# Labelled "desktop" so a run can leave it out (ctest -LE desktop).
find_package(Python3 COMPONENTS Interpreter REQUIRED)
add_test(NAME desktop_suite
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/desktop_suite.py ${TAMARIE_BIN_DIR})
set_tests_properties(desktop_suite PROPERTIES LABELS desktop TIMEOUT 180)
add_test(NAME desktop_suite_no_compositor
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/desktop_suite.py ${TAMARIE_BIN_DIR} --no-compositor)
set_tests_properties(desktop_suite_no_compositor PROPERTIES LABELS desktop TIMEOUT 180)
