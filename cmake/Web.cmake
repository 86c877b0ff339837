# The game in a web page (make web): glouton.js, glouton.wasm and
# glouton.data (pictures, sounds, the rendered music, the fonts) beside our
# own index.html, and glouton-sim.js for node. The SDL libraries come from
# tools/cross/build-sdl.sh emscripten, linked by their paths: emcc reads
# -lSDL2 as a request for its own SDL ports, which it would download.
foreach(lib SDL2_ttf freetype SDL2_mixer SDL2_image SDL2)
  if(NOT EXISTS ${GLOUTON_CROSS_PREFIX}/lib/lib${lib}.a)
    message(FATAL_ERROR "no lib${lib}.a in GLOUTON_CROSS_PREFIX (${GLOUTON_CROSS_PREFIX}): "
                        "build them with tools/cross/build-sdl.sh emscripten")
  endif()
  list(APPEND GLOUTON_WEB_SDL ${GLOUTON_CROSS_PREFIX}/lib/lib${lib}.a)
endforeach()

# The title music, rendered once at build time: the page has no synthesizer.
set(music ${GLOUTON_SOUND_DIR}/musique-bis.ogg)
add_custom_command(OUTPUT ${music}
                   COMMAND bash ${PROJECT_SOURCE_DIR}/tools/render-music.sh
                           ${GLOUTON_SOUND_DIR}/musique-bis.mid ${music}
                   DEPENDS ${PROJECT_SOURCE_DIR}/tools/render-music.sh
                           ${GLOUTON_SOUND_DIR}/musique-bis.mid VERBATIM)

set(GLOUTON_FONT_DIR /usr/share/fonts/truetype/liberation2 CACHE PATH "Liberation Sans, shipped in the page")
set(web_files ${GLOUTON_DATA_FILES} ${GLOUTON_SOUNDS} ${music}
              ${GLOUTON_FONT_DIR}/LiberationSans-Bold.ttf ${GLOUTON_FONT_DIR}/LiberationSans-Regular.ttf)
set(preload)
foreach(file IN LISTS web_files)
  file(RELATIVE_PATH in_page ${PROJECT_BINARY_DIR} ${file})
  if(in_page MATCHES "^\\.\\.")
    get_filename_component(name ${file} NAME)
    set(in_page fonts/${name})
  endif()
  list(APPEND preload "SHELL:--preload-file ${file}@/${in_page}")
endforeach()

# SDL's audio resumes the browser's audio context at the first gesture with
# these; in a file, as a make rule would take their "$" for its own.
file(WRITE ${PROJECT_BINARY_DIR}/web-link.rsp
     "-sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=$autoResumeAudioContext,$dynCall\n")
add_executable(glouton-web ${PROJECT_SOURCE_DIR}/src/web/main.cpp)
target_link_libraries(glouton-web PRIVATE glouton_platform glouton_warnings)
set_target_properties(glouton-web PROPERTIES OUTPUT_NAME glouton SUFFIX .js
                                             RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}
                                             LINK_DEPENDS "${web_files}")
target_link_options(glouton-web PRIVATE ${preload} -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1
  @${PROJECT_BINARY_DIR}/web-link.rsp
  -sEXPORTED_RUNTIME_METHODS=UTF8ToString -sEXPORTED_FUNCTIONS=_main,_malloc,_free)
target_link_libraries(glouton-web PRIVATE ${GLOUTON_WEB_SDL})
add_custom_target(glouton_web_data ALL DEPENDS ${music})
add_dependencies(glouton-web glouton_data glouton_web_data)

# Our own page: emcc's would need an HTML minifier Debian does not package.
# replay.js: its replays to watch, save and share.
set(page_files)
foreach(name index.html replay.js)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/${name}
                     COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/web/${name}
                             ${PROJECT_BINARY_DIR}/${name}
                     DEPENDS ${PROJECT_SOURCE_DIR}/web/${name} VERBATIM)
  list(APPEND page_files ${PROJECT_BINARY_DIR}/${name})
endforeach()
add_custom_target(glouton_web_page ALL DEPENDS ${page_files})

# The simulator for node, its files read straight from the disk: one file
# (node 20's fetch cannot load a .wasm beside it), its exit status kept.
target_link_options(glouton-sim PRIVATE -sENVIRONMENT=node -sNODERAWFS=1 -sSINGLE_FILE=1
                                        -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1)
