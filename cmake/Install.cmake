# What `cmake --install` puts where:
#
#   lib/trimora/                   the program folder: Trimora2, trimora, Brevio, Help, the two
#                                  format files, "Hilfe/", the menu library with the libraries
#                                  it runs on and its demo host, side by side as in the build
#                                  folder's bin/
#   bin/trimora, bin/trimora2      launchers: links into the program folder, so that a program
#                                  started through one finds its program folder (the folder of
#                                  its own file)
#   share/applications/            the desktop entry
#   share/metainfo/                the AppStream description
#   share/icons/hicolor/           the icon as SVG and in several sizes
#   share/man/man1/                the manual pages of trimora and trimora2
#   share/doc/trimora/             the copyright note
#
# The data files of the program folder are installed by data/CMakeLists.txt, which makes them.
# cmake/Package.cmake turns this layout into a Debian package.
include(GNUInstallDirs)

# The name of the package and of its documentation folder.
set(TRIMORA_PACKAGE_NAME trimora)
# The name of the desktop entry, the metainfo and the icon.
set(TRIMORA_APP_ID de.trimora.Trimora2)
# The date of this release (project version), for the manual pages and the metainfo.
set(TRIMORA_RELEASE_DATE 2026-12-10)

set(_trimora_share_build ${CMAKE_BINARY_DIR}/share)

# The programs of the program folder.
install(TARGETS Trimora2 trimora Brevio Help RUNTIME DESTINATION ${TRIMORA_INSTALL_PROGRAM_DIR})
# The menu library and the libraries it runs on, and its demo host, which finds them beside
# itself like the libraries find each other.
install(TARGETS Ornasys Ornautil Ornacore Ornamo LIBRARY DESTINATION ${TRIMORA_INSTALL_PROGRAM_DIR})
set_target_properties(OrnamoDemo PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS OrnamoDemo RUNTIME DESTINATION ${TRIMORA_INSTALL_PROGRAM_DIR})

# Launchers on the PATH: relative links, so that the installed tree can move as a whole.
file(MAKE_DIRECTORY ${_trimora_share_build}/launchers)
foreach(pair "trimora|trimora" "trimora2|Trimora2")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 launcher)
  list(GET pair 1 program)
  file(RELATIVE_PATH target "/${CMAKE_INSTALL_BINDIR}" "/${TRIMORA_INSTALL_PROGRAM_DIR}/${program}")
  file(CREATE_LINK "${target}" ${_trimora_share_build}/launchers/${launcher} SYMBOLIC)
  install(FILES ${_trimora_share_build}/launchers/${launcher} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

# The desktop entry and the metainfo.
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/${TRIMORA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${CMAKE_SOURCE_DIR}/data/desktop/${TRIMORA_APP_ID}.metainfo.xml.in
               ${_trimora_share_build}/${TRIMORA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${_trimora_share_build}/${TRIMORA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon: our own drawing, rendered to the sizes of the hicolor theme at build time.
find_program(TRIMORA_RSVG_CONVERT rsvg-convert REQUIRED)
set(_trimora_icon_svg ${CMAKE_SOURCE_DIR}/data/icons/trimora.svg)
set(_trimora_icons)
foreach(size 16 22 24 32 48 64 128 256)
  set(png ${_trimora_share_build}/icons/${size}x${size}/${TRIMORA_APP_ID}.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_trimora_share_build}/icons/${size}x${size}
    COMMAND ${TRIMORA_RSVG_CONVERT} --width ${size} --height ${size} --output ${png}
            ${_trimora_icon_svg}
    DEPENDS ${_trimora_icon_svg}
    COMMENT "Drawing the ${size}x${size} icon"
    VERBATIM)
  list(APPEND _trimora_icons ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(trimora_icons ALL DEPENDS ${_trimora_icons})
install(FILES ${_trimora_icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${TRIMORA_APP_ID}.svg)

# The manual pages, with the version and date filled in, compressed as Debian wants them.
find_program(TRIMORA_GZIP gzip REQUIRED)
set(_trimora_man_pages)
foreach(page trimora trimora2)
  set(TRIMORA_VERSION ${PROJECT_VERSION})
  configure_file(${CMAKE_SOURCE_DIR}/doc/man/${page}.1 ${_trimora_share_build}/man/${page}.1 @ONLY)
  add_custom_command(
    OUTPUT ${_trimora_share_build}/man/${page}.1.gz
    COMMAND ${TRIMORA_GZIP} -9 -n -f -k ${_trimora_share_build}/man/${page}.1
    DEPENDS ${_trimora_share_build}/man/${page}.1
    COMMENT "Compressing the manual page ${page}(1)"
    VERBATIM)
  list(APPEND _trimora_man_pages ${_trimora_share_build}/man/${page}.1.gz)
endforeach()
add_custom_target(trimora_man_pages ALL DEPENDS ${_trimora_man_pages})
install(FILES ${_trimora_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES ${CMAKE_SOURCE_DIR}/data/package/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${TRIMORA_PACKAGE_NAME})

include(${CMAKE_CURRENT_LIST_DIR}/Package.cmake)

# Every target whose output the installation copies (the tests of the installation wait for them).
set(TRIMORA_INSTALLED_TARGETS Trimora2 trimora Brevio Help Ornasys Ornautil Ornacore Ornamo
    OrnamoDemo trimora_format_files trimora_help_pages
    trimora_guide_pictures_taken trimora_icons trimora_man_pages trimora_package_changelog)

