# The game in a web page (make web): in site/, a folder of the page's files
# only, ready for any static host: glouton.js, glouton.wasm (the pictures
# built in, as on every target), glouton.data (the sounds) and the
# rendered music beside our own index.html, each with a .gz and a .br copy
# (tools/web-site.mjs). Beside
# site/: glouton-sim.js for node. The SDL libraries come from
# tools/cross/build-sdl.sh emscripten, linked by their paths: emcc reads
# -lSDL2 as a request for its own SDL ports, which it would download.
# The texts come from the glyph atlas, as on every target: the page needs
# neither SDL2_ttf nor FreeType, nor the font files.
set(libs SDL2_mixer SDL2)
set(GLOUTON_WEB_SOUND_QUALITY 2 CACHE STRING "Ogg Vorbis quality of the page's sounds (sox -C)")
foreach(lib IN LISTS libs)
  if(NOT EXISTS ${GLOUTON_CROSS_PREFIX}/lib/lib${lib}.a)
    message(FATAL_ERROR "no lib${lib}.a in GLOUTON_CROSS_PREFIX (${GLOUTON_CROSS_PREFIX}): "
                        "build them with tools/cross/build-sdl.sh emscripten")
  endif()
  list(APPEND GLOUTON_WEB_SDL ${GLOUTON_CROSS_PREFIX}/lib/lib${lib}.a)
endforeach()

set(site ${PROJECT_BINARY_DIR}/site)
file(MAKE_DIRECTORY ${site} ${PROJECT_BINARY_DIR}/web-sounds)

# The title music, rendered once at build time (the page has no synthesizer),
# in site/ beside the page: it is fetched after the title's first frame.
set(music ${site}/musique-bis.ogg)
add_custom_command(OUTPUT ${music}
                   COMMAND bash ${PROJECT_SOURCE_DIR}/tools/render-music.sh
                           ${GLOUTON_SOUND_DIR}/musique-bis.mid ${music}
                   DEPENDS ${PROJECT_SOURCE_DIR}/tools/render-music.sh
                           ${GLOUTON_SOUND_DIR}/musique-bis.mid VERBATIM)

# The sounds as Ogg Vorbis (SDL_mixer's stb_vorbis reads them): the same
# synthesized cues in a fifth of the bytes.
set(web_sounds)
foreach(wav IN LISTS GLOUTON_SOUNDS)
  get_filename_component(name ${wav} NAME_WE)
  set(ogg ${PROJECT_BINARY_DIR}/web-sounds/${name}.ogg)
  add_custom_command(OUTPUT ${ogg}
                     COMMAND sox -V1 ${wav} -C ${GLOUTON_WEB_SOUND_QUALITY} ${ogg}
                     DEPENDS ${wav} VERBATIM)
  list(APPEND web_sounds ${ogg})
endforeach()

set(web_files ${web_sounds})
set(preload)
foreach(file IN LISTS web_sounds)
  get_filename_component(name ${file} NAME)
  list(APPEND preload "SHELL:--preload-file ${file}@/gloutonone/${name}")
endforeach()

# SDL's audio resumes the browser's audio context at the first gesture with
# these; in a file, as a make rule would take their "$" for its own.
file(WRITE ${PROJECT_BINARY_DIR}/web-link.rsp
     "-sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=$autoResumeAudioContext,$dynCall\n")
add_executable(glouton-web ${PROJECT_SOURCE_DIR}/src/web/main.cpp)
# glouton_replay_link: the page's #replay= links (zlib's inflate); glouton_sim:
# a run's score for the page's records, summed up as the board does.
target_link_libraries(glouton-web PRIVATE glouton_platform glouton_replay_link glouton_sim glouton_warnings)
set_target_properties(glouton-web PROPERTIES OUTPUT_NAME glouton SUFFIX .js
                                             RUNTIME_OUTPUT_DIRECTORY ${site}
                                             LINK_DEPENDS "${web_files}")
# -Oz: the link optimizes for size too, through binaryen's wasm-opt; emmalloc
# is a smaller allocator than dlmalloc, and the game allocates little.
target_link_options(glouton-web PRIVATE ${preload} -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1
  -Oz -sMALLOC=emmalloc
  @${PROJECT_BINARY_DIR}/web-link.rsp
  -sEXPORTED_RUNTIME_METHODS=UTF8ToString -sEXPORTED_FUNCTIONS=_main,_malloc,_free)
target_link_libraries(glouton-web PRIVATE ${GLOUTON_WEB_SDL})
add_custom_target(glouton_web_data ALL DEPENDS ${music} ${web_sounds})
add_dependencies(glouton-web glouton_data glouton_web_data)

# Our own page: emcc's would need an HTML minifier Debian does not package.
# page.js: its own script; replay.js: its replays to watch, save and share;
# records.js: the player's own best runs; board.js: publishing and the board.
set(page_files)
foreach(name index.html page.js replay.js records.js board.js)
  add_custom_command(OUTPUT ${site}/${name}
                     COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/web/${name}
                             ${site}/${name}
                     DEPENDS ${PROJECT_SOURCE_DIR}/web/${name} VERBATIM)
  list(APPEND page_files ${site}/${name})
endforeach()
add_custom_target(glouton_web_page ALL DEPENDS ${page_files})
# The manifest, the icons and the service worker go there too (WebApp.cmake).
set(GLOUTON_WEB_SITE_DIR ${site})

# The compressed copies, made again for the files that changed, once the
# service worker's build step has stamped index.html (WebApp.cmake).
find_program(GLOUTON_NODE node REQUIRED)
add_custom_target(glouton_web_site ALL
                  COMMAND ${GLOUTON_NODE} ${PROJECT_SOURCE_DIR}/tools/web-site.mjs compress ${site}
                  VERBATIM)
add_dependencies(glouton_web_site glouton-web glouton_web_page)

# The simulator for node, its files read straight from the disk: one file
# (node 20's fetch cannot load a .wasm beside it), its exit status kept.
target_link_options(glouton-sim PRIVATE -sENVIRONMENT=node -sNODERAWFS=1 -sSINGLE_FILE=1
                                        -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1)
