# Installing Horavia for all users, and its Debian package.
#
# The program folder is installed whole under lib/horavia (the executable
# finds its skins and chime sound beside itself); bin/horavia links to it.
# Installed there, the program cannot write its own folder, so it keeps its
# settings, the audio library and the user's own skins in the user's data
# folder instead.
include(GNUInstallDirs)

set(horavia_folder ${CMAKE_INSTALL_LIBDIR}/horavia)
install(TARGETS horavia RUNTIME DESTINATION ${horavia_folder})
install(DIRECTORY ${HORAVIA_PROGRAM_DIR}/skins DESTINATION ${horavia_folder})
install(FILES ${HORAVIA_PROGRAM_DIR}/整点报时.mp3 DESTINATION ${horavia_folder})
if(TARGET horavia-skin)
  install(TARGETS horavia-skin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(CODE "
  set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\${bin}\")
  file(CREATE_LINK \"../${horavia_folder}/horavia\" \"\${bin}/horavia\" SYMBOLIC)
")

install(FILES ${PROJECT_SOURCE_DIR}/assets/horavia.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/assets/horavia.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo RENAME org.horavia.Horavia.metainfo.xml)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${HORAVIA_ASSET_DIR}/icons/horavia-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME horavia.png)
endforeach()
install(FILES ${HORAVIA_ASSET_DIR}/icons/horavia.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# cpack -G DEB in the build folder makes the package.
set(CPACK_PACKAGE_NAME horavia)
set(CPACK_PACKAGE_VENDOR Horavia)
set(CPACK_PACKAGE_CONTACT "Horavia developers <horavia@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Always-on-top desktop clock and prize wheel for live streams")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei")
include(CPack)
