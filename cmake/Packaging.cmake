# Installation into a desktop (program, menu entry, icon, file type, help) and the Debian package.
# Included after src/ so that the program targets are known; velmora-calc installs itself there.

if(NOT TARGET velmora)
    return()
endif()

set(VELMORA_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(VELMORA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/velmora)

install(TARGETS velmora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${VELMORA_PACKAGING_DIR}/velmora.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VELMORA_PACKAGING_DIR}/velmora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${VELMORA_PACKAGING_DIR}/velmora-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME velmora.xml)
# The program shows the help from its resources; these copies are for reading without it.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/help
        DESTINATION ${VELMORA_DOC_DIR} FILES_MATCHING PATTERN "*.html")
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${VELMORA_DOC_DIR})

if(VELMORA_TESTS)
    if(TARGET velmora-calc)
        set(VELMORA_EXPECT_CALC yes)
    else()
        set(VELMORA_EXPECT_CALC no)
    endif()
    add_test(NAME PackagingInstall
        COMMAND bash ${PROJECT_SOURCE_DIR}/tests/packaging/install_test.sh
                ${CMAKE_COMMAND} ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR} ${VELMORA_EXPECT_CALC})
endif()

# Debian package: dpkg-shlibdeps turns the linked Qt and C++ libraries into dependencies; the
# rest are loaded at run time (platform plugin, SVG icon engine) or named by the program (fonts).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Velmora developers")
set(CPACK_PACKAGE_CONTACT "Velmora developers <dev@velmora.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Sound spectrum editor with weighted levels, NR and STC ratings")
set(CPACK_PACKAGE_DESCRIPTION
    "Velmora shows sound levels over the octave or third-octave bands, lets you drag, step or\n"
    "type them, and recomputes the A-, B-, C- and D-weighted levels, the Noise Rating and the\n"
    "Sound Transmission Class after every change. velmora-calc computes the same ratings from\n"
    "the command line.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-qpa-plugins, libqt6svg6")
include(CPack)
