# The page as an installable app that plays offline: its manifest, its icons
# (the 32-pixel glouton of assets/ scaled by 6 and 16, as the desktop's
# hicolor icons are) and its service worker, whose list of files and cache
# name tools/web-cache-list.mjs writes once the page's other files are built.
# GLOUTON_WEB_SITE_DIR is the folder of the page's files, and
# GLOUTON_WEB_SITE_FILES the files the build makes there (Web.cmake).
find_program(GLOUTON_CONVERT NAMES convert REQUIRED)  # ImageMagick
find_program(GLOUTON_NODE NAMES node nodejs REQUIRED)

set(app_files ${GLOUTON_WEB_SITE_DIR}/manifest.webmanifest)
add_custom_command(OUTPUT ${GLOUTON_WEB_SITE_DIR}/manifest.webmanifest
                   COMMAND ${CMAKE_COMMAND} -E copy_if_different
                           ${PROJECT_SOURCE_DIR}/web/manifest.webmanifest ${GLOUTON_WEB_SITE_DIR}/
                   DEPENDS ${PROJECT_SOURCE_DIR}/web/manifest.webmanifest VERBATIM)
foreach(size 192 512)
  set(icon ${GLOUTON_WEB_SITE_DIR}/icon-${size}.png)
  # -sample: nearest neighbour, each pixel a square block; no time stamps in the PNG.
  add_custom_command(OUTPUT ${icon}
                     COMMAND ${GLOUTON_CONVERT} ${PROJECT_SOURCE_DIR}/assets/glouton.xpm
                             -sample ${size}x${size} -strip -define png:exclude-chunks=date,time
                             PNG32:${icon}
                     DEPENDS ${PROJECT_SOURCE_DIR}/assets/glouton.xpm VERBATIM)
  list(APPEND app_files ${icon})
endforeach()
add_custom_target(glouton_web_app ALL DEPENDS ${app_files})

# Last, as every file of the page is there: the worker's list. Run at every
# build (it takes a few ms), so the list is never older than the files. The
# files by name: a file an older build left in the folder is not the page's.
set(site_files ${GLOUTON_WEB_SITE_FILES})
foreach(path IN LISTS app_files)
  get_filename_component(name ${path} NAME)
  list(APPEND site_files ${name})
endforeach()
add_custom_target(glouton_web_worker ALL
                  COMMAND ${GLOUTON_NODE} ${PROJECT_SOURCE_DIR}/tools/web-cache-list.mjs
                          ${GLOUTON_WEB_SITE_DIR} ${site_files}
                  DEPENDS ${PROJECT_SOURCE_DIR}/web/sw.js ${PROJECT_SOURCE_DIR}/tools/web-cache-list.mjs
                  VERBATIM)
add_dependencies(glouton_web_worker glouton-web glouton_web_page glouton_web_app)
if(TARGET glouton_web_site)
  add_dependencies(glouton_web_site glouton_web_worker)  # compressed after index.html is stamped
endif()
