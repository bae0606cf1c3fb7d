# cmake --install and the Debian package, laid out as Linux programs are:
# the programs in <prefix>/bin, the private libalmanac.so in
# <prefix>/lib/tamarie (found through the programs' RPATH), Data/ and
# ReadMe.txt in <prefix>/share/tamarie, plus the desktop entry, AppStream
# metadata, icons and the tamarie-koyomi manual page.
#   cmake --install build --prefix ~/.local     (for one user)
#   sudo cmake --install build                  (for everyone, /usr/local)
#   cd build && cpack -G DEB                    (a .deb for apt)
include(GNUInstallDirs)

set(TAMARIE_PRIVATE_LIB_DIR lib/tamarie)
set(TAMARIE_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/tamarie)

foreach(program tamarie tamarie-koyomi tamarie-render)
  if(TARGET ${program})
    set_target_properties(${program} PROPERTIES INSTALL_RPATH "$ORIGIN/../${TAMARIE_PRIVATE_LIB_DIR}")
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

if(TARGET almanac)
  install(TARGETS almanac LIBRARY DESTINATION ${TAMARIE_PRIVATE_LIB_DIR} NAMELINK_SKIP
          RUNTIME DESTINATION ${TAMARIE_PRIVATE_LIB_DIR})
endif()

install(FILES ${PROJECT_SOURCE_DIR}/data/ReadMe.txt DESTINATION ${TAMARIE_SHARE_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${TAMARIE_SHARE_DIR}/Data
        PATTERN "ReadMe.txt" EXCLUDE)

foreach(size 16 22 24 32 48 64 128 256 512)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/${size}x${size}/tamarie.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/packaging/tamarie.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/io.github.tamarie.Tamarie.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
if(TARGET tamarie-koyomi)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/tamarie-koyomi.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# Refresh the menu and icon caches when installing straight onto this system
# (the Debian package leaves that to dpkg's triggers).
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
