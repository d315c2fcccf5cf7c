# The Debian package: `cpack -G DEB` in the build folder makes trimora_<version>-1_<arch>.deb
# from the layout of cmake/Install.cmake under /usr. The libraries the programs link give the
# dependencies (dpkg-shlibdeps); jpegtran comes from libjpeg-turbo-progs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${TRIMORA_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR Halvorn)
set(CPACK_PACKAGE_CONTACT "Halvorn <support@trimora.de>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Fotos auf Druckformate zuschneiden")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.trimora.de)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libjpeg-turbo-progs")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The long description below the summary line, which CPack puts first; an empty line separates
# paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Trimora 2 schneidet Fotos auf Druckformate zu. Man öffnet einen Ordner mit
JPEG-Bildern, setzt auf jedes Bild einen Rahmen, dessen Seitenverhältnis ein
Druckformat wie „10 x 15“ festlegt, und markiert es zum Speichern. Ein Befehl
schneidet dann alle markierten Bilder in einen Zielordner: verlustfrei mit
jpegtran, solange der Rahmen auf dem 16-Pixel-Raster des JPEG liegt, sonst
dekodiert, korrigiert und als JPEG, TIFF, BMP oder PNG geschrieben.

Dazu gehören die Kurzanleitung (Brevio), die Hilfe und das
Kommandozeilenwerkzeug trimora.")

# The Debian changelog, compressed, beside the copyright note. Its date is the release date.
execute_process(COMMAND date -u -R -d "${TRIMORA_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE TRIMORA_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(${CMAKE_SOURCE_DIR}/data/package/changelog.Debian.in
               ${_trimora_share_build}/package/changelog.Debian @ONLY)
add_custom_command(
  OUTPUT ${_trimora_share_build}/package/changelog.Debian.gz
  COMMAND ${TRIMORA_GZIP} -9 -n -f -k ${_trimora_share_build}/package/changelog.Debian
  DEPENDS ${_trimora_share_build}/package/changelog.Debian
  COMMENT "Compressing the Debian changelog"
  VERBATIM)
add_custom_target(trimora_package_changelog ALL
                  DEPENDS ${_trimora_share_build}/package/changelog.Debian.gz)
install(FILES ${_trimora_share_build}/package/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${TRIMORA_PACKAGE_NAME})

install(FILES ${CMAKE_SOURCE_DIR}/data/package/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ${TRIMORA_PACKAGE_NAME})

include(CPack)
