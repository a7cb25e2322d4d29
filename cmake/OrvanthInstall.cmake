# cmake --install: Debian's and xscreensaver's layout.
#   libexec/orvanth/Orvanth.scr, Orvanth.data   side by side
#   bin/orvanth                                  relative link to the shell
#   share/xscreensaver/config/orvanth.xml        xscreensaver's description
#   share/applications/screensavers/orvanth.desktop   xfce4/mate-screensaver
#   share/man/man6/orvanth.6, share/doc/orvanth/index.html, the icon
#   share/orvanth/autostart/orvanth-idle.desktop   orvanth --idle as an XDG
#       autostart entry, off (Hidden) until the user copies it to
#       ~/.config/autostart/ and drops that line
# cpack -G DEB: orvanth_<version>_<arch>.deb.

# Install and package what has been built, without building the tests first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

install(TARGETS Orvanth.scr Orvanth.data RUNTIME DESTINATION ${ORVANTH_PROGRAM_DIR})
install(FILES ${CMAKE_BINARY_DIR}/${CMAKE_INSTALL_BINDIR}/orvanth DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES dist/orvanth.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/xscreensaver/config)
install(FILES dist/orvanth.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications/screensavers)
install(FILES dist/orvanth-idle.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/orvanth/autostart)
install(FILES ${CMAKE_BINARY_DIR}/${CMAKE_INSTALL_MANDIR}/man6/orvanth.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${ORVANTH_ICON} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/32x32/apps)
install(FILES ${CMAKE_BINARY_DIR}/${ORVANTH_DOC_DIR}/index.html DESTINATION ${ORVANTH_DOC_DIR})

set(CPACK_PACKAGE_NAME orvanth)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Orvanth developers <orvanth@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "planets bouncing over rippling water, a screen saver")
set(CPACK_PACKAGE_DESCRIPTION "Six textured planets bounce above a square pool of rippling water,\n\
each with a dim reflection, with optional background music. Runs in\n\
xscreensaver, xfce4-screensaver and mate-screensaver, or by itself.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What no library link shows: the music's GStreamer plugins, Qt's X11 and
# Wayland platform plugins, software GL and Mesa's EGL (the renderer on
# Wayland; the Wayland libraries themselves come from the links), and the
# dialog's Japanese font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-plugins-ugly, \
gstreamer1.0-pulseaudio | gstreamer1.0-alsa, qt6-qpa-plugins, qt6-wayland, libgl1-mesa-dri, \
libegl-mesa0, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver, xscreensaver-gl")
set(CPACK_GENERATOR DEB)
include(CPack)
