# cmake --install and cpack -G DEB: the programs in bin/, their data files in share/querimo/, and what a Linux
# desktop needs to show the program (icon, desktop entry, AppStream metadata, man pages).
include(GNUInstallDirs)
set(QUERIMO_DATA_DIR ${CMAKE_INSTALL_DATADIR}/querimo)
set(QUERIMO_DESKTOP_ID nl.querimo.Querimo)
set(desktop ${CMAKE_SOURCE_DIR}/resources/desktop)

install(TARGETS querimo-sql RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/resources/sqlwords.dat DESTINATION ${QUERIMO_DATA_DIR})
if(QUERIMO_SAMPLE)
  install(FILES ${QUERIMO_SAMPLE_DATABASE} DESTINATION ${QUERIMO_DATA_DIR})
endif()

if(TARGET querimo)
  # The installed program finds its data folder relative to itself, so any prefix works.
  file(RELATIVE_PATH data_from_program ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/querimo)
  target_compile_definitions(querimo_gui PRIVATE QUERIMO_DATA_FROM_PROGRAM="${data_from_program}")
  install(TARGETS querimo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${desktop}/icons/querimo.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 32 48 256)
    install(FILES ${desktop}/icons/querimo-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME querimo.png)
  endforeach()
  install(FILES ${desktop}/${QUERIMO_DESKTOP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${desktop}/${QUERIMO_DESKTOP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# Man pages compressed, as Debian keeps them.
find_program(GZIP gzip REQUIRED)
foreach(page querimo querimo-sql)
  set(compressed ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/resources/man/${page}.1 ${CMAKE_BINARY_DIR}/man/${page}.1
    COMMAND ${GZIP} -9nf ${CMAKE_BINARY_DIR}/man/${page}.1
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/man/${page}.1
    VERBATIM)
  list(APPEND man_pages ${compressed})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The Debian package: dpkg-shlibdeps finds the runtime libraries (Qt 6, SQLite), never the -dev packages.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME querimo)
set(CPACK_PACKAGE_VENDOR "Querimo")
set(CPACK_PACKAGE_CONTACT "De ontwikkelaars van Querimo <querimo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "SQL uitproberen op Microsoft Access-databases")
set(CPACK_PACKAGE_DESCRIPTION "Querimo opent Microsoft Access-databases (.mdb, Jet 3 en Jet 4), toont hun \
tabellen, views, velden en indexen en voert Access SQL uit. querimo-sql doet hetzelfde op de opdrachtregel.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION database)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialogs speak Dutch with it; without it they fall back to English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_STRIP_FILES ON)
include(CPack)
