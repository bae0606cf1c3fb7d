# cmake --install: the program folder (programs, libalmanac.so, Data/,
# ReadMe.txt) under <prefix>/lib/tamarie, launchers in <prefix>/bin, and a
# desktop entry with its icon so the editor appears in the application menu.
#   cmake --install build --prefix ~/.local     (for one user)
#   sudo cmake --install build                  (for everyone, /usr/local)
include(GNUInstallDirs)

set(TAMARIE_PROGRAM_DIR lib/tamarie)

foreach(program tamarie tamarie-koyomi)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${TAMARIE_PROGRAM_DIR})
    # The launcher finds the program folder relative to itself, so the
    # installed tree can be moved or staged with DESTDIR.
    set(TAMARIE_PROGRAM ${program})
    configure_file(${PROJECT_SOURCE_DIR}/packaging/launcher.sh.in
                   ${CMAKE_BINARY_DIR}/packaging/${program} @ONLY)
    install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/${program} DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

if(TARGET almanac)
  install(TARGETS almanac LIBRARY DESTINATION ${TAMARIE_PROGRAM_DIR} RUNTIME DESTINATION ${TAMARIE_PROGRAM_DIR})
endif()

install(FILES ${PROJECT_SOURCE_DIR}/data/ReadMe.txt DESTINATION ${TAMARIE_PROGRAM_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${TAMARIE_PROGRAM_DIR}/Data
        PATTERN "ReadMe.txt" EXCLUDE)

install(FILES ${PROJECT_SOURCE_DIR}/data/tamarie.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)

# The desktop entry names the launcher by its full installed path, which is
# only known at install time (cmake --install --prefix may change it).
install(CODE "
  set(TAMARIE_LAUNCHER \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tamarie\")
  configure_file(\"${PROJECT_SOURCE_DIR}/packaging/tamarie.desktop.in\"
                 \"${CMAKE_BINARY_DIR}/packaging/tamarie.desktop\" @ONLY)
")
install(FILES ${CMAKE_BINARY_DIR}/packaging/tamarie.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# Refresh the menu and icon caches when installing straight onto this system.
install(CODE "
  if(NOT \"\$ENV{DESTDIR}\" AND NOT CMAKE_INSTALL_PREFIX STREQUAL \"\")
    find_program(TAMARIE_UPDATE_DESKTOP update-desktop-database)
    if(TAMARIE_UPDATE_DESKTOP)
      execute_process(COMMAND \${TAMARIE_UPDATE_DESKTOP} -q \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\"
                      ERROR_QUIET OUTPUT_QUIET)
    endif()
    find_program(TAMARIE_GTK_ICON_CACHE gtk-update-icon-cache)
    if(TAMARIE_GTK_ICON_CACHE AND EXISTS \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/icons/hicolor/index.theme\")
      execute_process(COMMAND \${TAMARIE_GTK_ICON_CACHE} -q -t \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/icons/hicolor\"
                      ERROR_QUIET OUTPUT_QUIET)
    endif()
  endif()
")
