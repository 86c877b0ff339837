# The game in a web page (make web): in site/, a folder of the page's files
# only, ready for any static host: glouton.js and glouton.wasm (the pictures
# built in, as on every target), the sounds and the rendered music as MP3
# beside our own index.html, each with a .gz and a .br copy
# (tools/web-site.mjs). Beside site/: glouton-sim.js for node. The page is
# its own frontend on the browser's devices (src/web/): it links no SDL.
set(site ${PROJECT_BINARY_DIR}/site)
file(MAKE_DIRECTORY ${site})

# The sounds and the title music (rendered once at build time: the page has
# no synthesizer) as MP3, which every browser decodes, Safari's included
# (README: "Where the browser made us choose"). Fetched after the title's first frame.
# The cues at 32 kbit/s (lame -b): with the music, the whole first visit stays under 200 kB gzip.
set(GLOUTON_WEB_SOUND_BITRATE 32)
set(music ${site}/musique-bis.mp3)
add_custom_command(OUTPUT ${music}
                   COMMAND bash ${PROJECT_SOURCE_DIR}/tools/render-music.sh
                           ${GLOUTON_SOUND_DIR}/musique-bis.mid ${music}
                   DEPENDS ${PROJECT_SOURCE_DIR}/tools/render-music.sh
                           ${GLOUTON_SOUND_DIR}/musique-bis.mid VERBATIM)
set(web_sounds)
foreach(wav IN LISTS GLOUTON_SOUNDS)
  get_filename_component(name ${wav} NAME_WE)
  set(mp3 ${site}/${name}.mp3)
  add_custom_command(OUTPUT ${mp3}
                     COMMAND lame --quiet --noreplaygain -b ${GLOUTON_WEB_SOUND_BITRATE} ${wav} ${mp3}
                     DEPENDS ${wav} VERBATIM)
  list(APPEND web_sounds ${mp3})
endforeach()

# The page's frontend: the canvas, its events, Web Audio, one run of the program.
glouton_layer(web SOURCES canvas.cpp page_input.cpp page_run.cpp web_audio.cpp
              USES glouton_program glouton_draw glouton_screen)
add_executable(glouton-web ${PROJECT_SOURCE_DIR}/src/web/main.cpp)
# glouton_replay_link: the page's #replay= links (zlib's inflate); glouton_sim:
# a run's score for the page's records, summed up as the board does.
target_link_libraries(glouton-web PRIVATE glouton_web glouton_replay_link glouton_sim glouton_warnings)
set_target_properties(glouton-web PROPERTIES OUTPUT_NAME glouton SUFFIX .js
                                             RUNTIME_OUTPUT_DIRECTORY ${site})
# -O2, as the code is compiled (tools/cross/build-web.sh): a phone's first
# frame waits less for code made for speed than for the few kB -Oz saves
# (docs/figures.md). emmalloc is a smaller allocator than dlmalloc, and the
# game allocates little; no file system: the page fetches its sounds itself.
target_link_options(glouton-web PRIVATE -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1
  -O2 -sMALLOC=emmalloc -sFILESYSTEM=0
  -sEXPORTED_RUNTIME_METHODS=UTF8ToString -sEXPORTED_FUNCTIONS=_main,_malloc,_free)
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
set(GLOUTON_WEB_SITE_FILES glouton.js glouton.wasm)
foreach(path IN LISTS page_files music web_sounds)
  get_filename_component(name ${path} NAME)
  list(APPEND GLOUTON_WEB_SITE_FILES ${name})
endforeach()

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
