# The Debian package (`./build.sh package`, or `cpack -G DEB` in a build folder after building
# the programs, the Python module and the target lumetra_man): the programs, the Python module in
# Debian's dist-packages, the desktop entry, icon, AppStream metainfo, manual pages, the shipped
# settings, the README, the copyright and the changelog.

# The manual pages come from the built programs' --help (help2man).
find_program(HELP2MAN_PROGRAM help2man)
set(LUMETRA_MAN_DIR ${PROJECT_BINARY_DIR}/man)
if(HELP2MAN_PROGRAM)
  file(GLOB _cli_help CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/cli/help/*.txt)
  add_custom_command(OUTPUT ${LUMETRA_MAN_DIR}/lumetra.1.gz ${LUMETRA_MAN_DIR}/lumetra-cli.1.gz
    COMMAND ${CMAKE_COMMAND} -DHELP2MAN=${HELP2MAN_PROGRAM} -DGUI=$<TARGET_FILE:lumetra>
            -DCLI=$<TARGET_FILE:lumetra-cli> -DOUT_DIR=${LUMETRA_MAN_DIR} -P ${PROJECT_SOURCE_DIR}/cmake/ManPages.cmake
    DEPENDS lumetra lumetra-cli ${_cli_help} ${PROJECT_SOURCE_DIR}/cmake/ManPages.cmake VERBATIM)
  add_custom_target(lumetra_man DEPENDS ${LUMETRA_MAN_DIR}/lumetra.1.gz ${LUMETRA_MAN_DIR}/lumetra-cli.1.gz)
endif()
# lumetra-caustic-plot, which lumetra-cli runs, has a page written by hand.
add_custom_command(OUTPUT ${LUMETRA_MAN_DIR}/lumetra-caustic-plot.1.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${LUMETRA_MAN_DIR}
  COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/packaging/lumetra-caustic-plot.1 > ${LUMETRA_MAN_DIR}/lumetra-caustic-plot.1.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/lumetra-caustic-plot.1)
add_custom_target(lumetra_plot_man DEPENDS ${LUMETRA_MAN_DIR}/lumetra-caustic-plot.1.gz)
if(TARGET lumetra_man)
  add_dependencies(lumetra_man lumetra_plot_man)
endif()
install(FILES ${LUMETRA_MAN_DIR}/lumetra.1.gz ${LUMETRA_MAN_DIR}/lumetra-cli.1.gz
        ${LUMETRA_MAN_DIR}/lumetra-caustic-plot.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 OPTIONAL)

set(_doc ${CMAKE_INSTALL_DATADIR}/doc/lumetra)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${_doc})
# Debian wants the changelog compressed, without a time stamp in the gzip header.
set(_changelog ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/packaging)
add_custom_command(OUTPUT ${_changelog}
  COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/packaging/changelog > ${_changelog}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog)
add_custom_target(lumetra_changelog DEPENDS ${_changelog})
install(FILES ${_changelog} DESTINATION ${_doc} OPTIONAL)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lumetra.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(_shot screenshot-main screenshot-beam-widths caustic-window screenshot-monitoring)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/${_shot}.png DESTINATION ${LUMETRA_DATA_DIR}/screenshots)
endforeach()

# `cpack` installs what is built; it builds nothing itself (the test suite is not packaged).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumetra)
set(CPACK_PACKAGE_VENDOR "Lumetra Developers")
set(CPACK_PACKAGE_CONTACT "Lumetra Developers <developers@lumetra.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "measure laser beams and light spots from pictures and cameras")
# The synopsis is CPACK_PACKAGE_DESCRIPTION_SUMMARY; this is the text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Lumetra measures laser beams after ISO 11146: D4sigma diameters, centroid and\n"
    "orientation with the widths labs quote, M2 from a caustic, GenICam cameras and\n"
    "capture cards, live measurement, long-term pointing monitoring and PDF reports.\n"
    "It also plots the intensity along a cut through a light-spot picture.\n"
    "The package holds the workstation (lumetra), the command-line tool lumetra-cli\n"
    "and the Python module lumetra.")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION ${CPACK_DEBIAN_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the shared libraries: the fonts the windows and reports use, Qt's platform and image
# plug-ins (TIFF and the like), the Aravis tools for GigE set-up, numpy for the Python module.
# The module is built for one Python version.
string(REGEX REPLACE "^([0-9]+)\\.([0-9]+)$" "\\2" _minor "${LUMETRA_PYTHON_VERSION}")
math(EXPR _minor "${_minor} + 1")
string(REGEX REPLACE "\\.[0-9]+$" ".${_minor}" _python_next "${LUMETRA_PYTHON_VERSION}")
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "python3 (>= ${LUMETRA_PYTHON_VERSION}), python3 (<< ${_python_next}), python3-numpy, fonts-noto-cjk, fonts-dejavu-core, qt6-qpa-plugins, qt6-image-formats-plugins, qt6-translations-l10n, aravis-tools")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
