# Widget tests drive the grid and the windows with QtTest's input helpers.
find_package(Qt6 REQUIRED COMPONENTS Test)
if(TARGET test_calendar)
  target_link_libraries(test_calendar PRIVATE Qt6::Test)
endif()
