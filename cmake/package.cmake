# The Debian package: `cpack -G DEB` in a build configured with CMAKE_INSTALL_PREFIX=/usr (see
# scripts/package.sh). Dependencies come from the shared libraries the program really links.
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME zr4pcctrl)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "zr4pcctrl developers <zr4pcctrl@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "controller for the ZR4PC hi-fi component attached by USB")
# The extended description: CPack puts the summary above it and indents each line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "A small window mirrors the front panel of the ZR4PC (tuner, CD, MD,
TAPE/AUX and PC USB input) and operates it from the PC: power, inputs,
transport keys, volume, tuner presets, a sleep timer and weekly timers.
Gestures made with the component's own remote control can run actions
on the PC.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Japanese text needs a font that has it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  ${PROJECT_SOURCE_DIR}/packaging/debian/postinst ${PROJECT_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

# Debian's place for the copyright notice and the change log of a native package.
set(debian_changelog ${CMAKE_BINARY_DIR}/changelog.gz)
configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/changelog ${CMAKE_BINARY_DIR}/changelog
  @ONLY)
add_custom_command(OUTPUT ${debian_changelog}
  COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/changelog > ${debian_changelog}
  DEPENDS ${CMAKE_BINARY_DIR}/changelog)
add_custom_target(zr4debiandocs ALL DEPENDS ${debian_changelog})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright ${debian_changelog}
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

include(CPack)
