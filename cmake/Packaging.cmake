# What a desktop installation needs besides the executables (file type, listing, manual pages,
# completion, Debian copyright and changelog) and the CPack settings of the .deb made from it.

# When PROJECT_VERSION was released: for the software-centre listing and the Debian changelog.
set(QUORVEL_RELEASE_DATE "2026-12-07")
set(QUORVEL_RELEASE_TIME "Mon, 07 Dec 2026 00:00:00 +0000")
set(QUORVEL_APPSTREAM_ID "org.example.quorvel")
set(QUORVEL_SCREENSHOT_URL "${PROJECT_HOMEPAGE_URL}screenshots/spectrum-en.png")
set(QUORVEL_MAINTAINER "Quorvel maintainers <maintainers@quorvel.example.org>")

set(packaging ${PROJECT_BINARY_DIR}/packaging)
configure_file(${PROJECT_SOURCE_DIR}/res/${QUORVEL_APPSTREAM_ID}.metainfo.xml.in
    ${packaging}/${QUORVEL_APPSTREAM_ID}.metainfo.xml @ONLY)
# A package without a Debian revision is native: its changelog is changelog.gz.
configure_file(${PROJECT_SOURCE_DIR}/res/debian/changelog.in ${packaging}/changelog @ONLY)
foreach(page IN ITEMS quorvel quorvel-cli)
    configure_file(${PROJECT_SOURCE_DIR}/man/${page}.1.in ${packaging}/${page}.1 @ONLY)
endforeach()

# Debian wants manual pages and the changelog compressed, reproducibly (no name, no time).
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(compressed)
foreach(source IN ITEMS ${packaging}/quorvel.1 ${packaging}/quorvel-cli.1
                        ${packaging}/changelog)
    get_filename_component(name ${source} NAME)
    add_custom_command(OUTPUT ${packaging}/${name}.gz
        COMMAND ${GZIP_EXECUTABLE} -9 -n -c ${source} > ${packaging}/${name}.gz
        DEPENDS ${source} VERBATIM)
    list(APPEND compressed ${packaging}/${name}.gz)
endforeach()
add_custom_target(quorvel_packaging_files ALL DEPENDS ${compressed})

# The listing's screenshot, for publishing at QUORVEL_SCREENSHOT_URL; drawn on demand only.
add_custom_command(OUTPUT ${packaging}/screenshots/spectrum-en.png
    COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging}/screenshots
    COMMAND quorvel-cli render ${PROJECT_SOURCE_DIR}/samples/demo.dat --dvb s --screen spectrum
            --lang en -o ${packaging}/screenshots/spectrum-en.png
    DEPENDS quorvel-cli ${PROJECT_SOURCE_DIR}/samples/demo.dat VERBATIM)
add_custom_target(quorvel_screenshot DEPENDS ${packaging}/screenshots/spectrum-en.png)

install(FILES ${PROJECT_SOURCE_DIR}/res/quorvel-mime.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME quorvel.xml)
install(FILES ${packaging}/${QUORVEL_APPSTREAM_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging}/quorvel.1.gz ${packaging}/quorvel-cli.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/res/completion/quorvel-cli
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${PROJECT_SOURCE_DIR}/res/debian/copyright ${packaging}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvel)
# The browser page as scripts/web builds it; scripts/package builds it before the package.
set(QUORVEL_WEB_PAGE ${PROJECT_SOURCE_DIR}/build/web CACHE PATH "The built browser page")
install(DIRECTORY ${QUORVEL_WEB_PAGE}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/quorvel/web OPTIONAL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "Quorvel maintainers")
set(CPACK_PACKAGE_CONTACT "${QUORVEL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "redraws the screens of a DVB signal meter from its data files")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Quorvel redraws, at 1280 by 720 pixels, the screens of a handheld DVB signal\n"
    "meter (satellite finding, terrestrial and cable measure, spectrum and\n"
    "constellation analyzers) from a source data file, in English or French, and\n"
    "saves the shown screen as a picture. The command-line tool quorvel-cli draws\n"
    "every screen as BMP, PNG, SVG or PDF, writes the measured values as CSV and\n"
    "JSON, makes PDF reports and compares pictures.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The screens' texts are drawn in Liberation fonts, which no library dependency brings.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
