# Installing the game, and its Debian package.
#
# `make deb` (packaging/make-deb.sh) makes the package: a Release build laid
# out as a Debian game (programs in /usr/games, data in /usr/share/glouton),
# then `cpack -G DEB`, which strips the programs. cpack refuses a build
# configured otherwise.

# The game's data: sounds and music (the pictures are built into the programs).
install(DIRECTORY ${GLOUTON_SOUND_DIR}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/glouton)

# Files made for the install, built with everything else.
set(GLOUTON_INSTALL_FILES)

# gzip -9n: the smallest file, with no name or time inside, so the same text
# always gives the same bytes.
function(glouton_gzip from to)
  string(REGEX REPLACE "\\.gz$" "" plain ${to})
  add_custom_command(OUTPUT ${to}
                     COMMAND ${CMAKE_COMMAND} -E copy ${from} ${plain}
                     COMMAND gzip -9nf ${plain}
                     DEPENDS ${from} VERBATIM)
  set(GLOUTON_INSTALL_FILES ${GLOUTON_INSTALL_FILES} ${to} PARENT_SCOPE)
endfunction()

set(GLOUTON_MAN_PAGES glouton-sim.6)
if(GLOUTON_WITH_SDL)
  list(APPEND GLOUTON_MAN_PAGES glouton.6)
endif()
foreach(page IN LISTS GLOUTON_MAN_PAGES)
  glouton_gzip(${PROJECT_SOURCE_DIR}/docs/${page} ${PROJECT_BINARY_DIR}/man/${page}.gz)
  install(FILES ${PROJECT_BINARY_DIR}/man/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endforeach()

glouton_gzip(${PROJECT_SOURCE_DIR}/packaging/changelog ${PROJECT_BINARY_DIR}/doc/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/doc/changelog.gz packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Desktop integration: the menu entry, the software-centre entry (AppStream)
# and the icons. The PNG icons are made here from the pixel art, so the XPM
# text stays their only source: the 32-pixel glouton scaled by whole factors,
# and the 16- and 48-pixel gloutons, drawn at their own size.
if(GLOUTON_WITH_SDL)
  install(FILES packaging/glouton.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES packaging/org.example.glouton.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES assets/glouton.xpm DESTINATION ${CMAKE_INSTALL_DATADIR}/pixmaps)

  find_program(GLOUTON_CONVERT NAMES convert REQUIRED)  # ImageMagick
  foreach(icon 16:glouton-16 32:glouton 48:glouton-48 64:glouton 128:glouton 256:glouton)
    string(REPLACE ":" ";" icon ${icon})
    list(GET icon 0 size)
    list(GET icon 1 art)
    set(dir ${PROJECT_BINARY_DIR}/icons/${size}x${size})
    # -sample: nearest neighbour, each pixel a square block; no time stamps in the PNG.
    add_custom_command(OUTPUT ${dir}/glouton.png
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
                       COMMAND ${GLOUTON_CONVERT} ${PROJECT_SOURCE_DIR}/assets/${art}.xpm
                               -sample ${size}x${size} -strip -define png:exclude-chunks=date,time
                               PNG32:${dir}/glouton.png
                       DEPENDS ${PROJECT_SOURCE_DIR}/assets/${art}.xpm VERBATIM)
    list(APPEND GLOUTON_INSTALL_FILES ${dir}/glouton.png)
    install(FILES ${dir}/glouton.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()

add_custom_target(glouton_install_files ALL DEPENDS ${GLOUTON_INSTALL_FILES})

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glouton)
set(CPACK_PACKAGE_VENDOR "the Glouton developers")
set(CPACK_PACKAGE_CONTACT "Glouton developers <glouton@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "maze arcade game: eat the pellets, dodge the chasers")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${PROJECT_SOURCE_DIR}/packaging/description.txt)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries come from the programs (dpkg-shlibdeps); no font: the texts
# are built into the game (the glyph atlas).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timgm6mb-soundfont")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/cpack-strip.cmake)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GLOUTON_LAYOUT "${CMAKE_BUILD_TYPE} ${CMAKE_INSTALL_PREFIX} ${CMAKE_INSTALL_BINDIR}")
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/cpack-check.cmake)
include(CPack)
