# The layers of the core and the simulator, from the bottom up, shared by the
# build and the fuzz harnesses (fuzz/CMakeLists.txt); see Layers.cmake.
include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)
glouton_layer(ports)  # the ports and the geometry: headers only
glouton_layer(sound SOURCES jouer_son.cpp file_sound_order.cpp USES glouton_ports)
glouton_layer(game SOURCES timer.cpp level.cpp form_load.cpp USES glouton_sound glouton_ports)
glouton_layer(capture SOURCES initialise_2.cpp USES glouton_game)
glouton_layer(player SOURCES glouton.cpp USES glouton_game)
glouton_layer(chasers SOURCES tete.cpp USES glouton_capture glouton_game)
glouton_layer(title SOURCES form2.cpp USES glouton_game)
glouton_layer(program
  SOURCES event_order.cpp program.cpp window_flow.cpp replay.cpp replay_viewer.cpp text_fields.cpp
          trace.cpp input_sources.cpp
  USES glouton_player glouton_chasers glouton_capture glouton_title glouton_game)
# Everything a frontend drives.
add_library(glouton_core INTERFACE)
target_link_libraries(glouton_core INTERFACE glouton_program)
# A replay's share link (program/replay_link.h): a library of its own beside
# the program core, so that zlib is linked only where links are read. zlib is
# the system's, or for another target (the page, Windows) the inflate that
# tools/cross/build-zlib.sh built into GLOUTON_ZLIB_PREFIX, linked by its path.
if(GLOUTON_ZLIB_PREFIX)
  add_library(glouton_zlib STATIC IMPORTED)
  set_target_properties(glouton_zlib PROPERTIES IMPORTED_LOCATION ${GLOUTON_ZLIB_PREFIX}/lib/libz.a
                                                INTERFACE_INCLUDE_DIRECTORIES ${GLOUTON_ZLIB_PREFIX}/include)
elseif(CMAKE_CROSSCOMPILING)
  message(FATAL_ERROR "no GLOUTON_ZLIB_PREFIX: build zlib for this target with tools/cross/build-zlib.sh")
else()
  find_package(ZLIB REQUIRED)
  add_library(glouton_zlib ALIAS ZLIB::ZLIB)
endif()
add_library(glouton_replay_link STATIC ${GLOUTON_SRC}/program/replay_link.cpp)
target_link_libraries(glouton_replay_link PUBLIC glouton_program PRIVATE glouton_zlib glouton_warnings)
# The screen's arithmetic that every frontend shares, with no SDL.
glouton_layer(screen SOURCES fit.cpp touch.cpp USES glouton_ports)
# Every window's whole picture, drawn from the program's view and the game's
# paints into plain pixels, with no SDL: what every frontend shows.
glouton_layer(draw
  SOURCES pixel_buffer.cpp pictures.cpp controls.cpp window_picture.cpp game_picture.cpp
          title_picture.cpp
  USES glouton_core glouton_screen)
include(${CMAKE_CURRENT_LIST_DIR}/DrawData.cmake)
# The simulator: the core on a virtual clock.
glouton_layer(sim SOURCES key_script.cpp simulation.cpp summary.cpp cli.cpp
              USES glouton_core glouton_replay_link glouton_draw)

# The simulator's pictures as PNG files (--snapshot): libpng in the native
# build; the simulators of other targets refuse it.
if(CMAKE_CROSSCOMPILING)
  target_sources(glouton_sim PRIVATE ${GLOUTON_SRC}/sim/png_none.cpp)
else()
  find_package(PNG REQUIRED)
  target_sources(glouton_sim PRIVATE ${GLOUTON_SRC}/sim/png_file.cpp)
  target_link_libraries(glouton_sim PRIVATE PNG::PNG)
endif()

# The board's verification (src/board): a submission's JSON, its name and its
# replay played again; native only, with Unicode normalisation and SHA-256.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(UTF8PROC REQUIRED IMPORTED_TARGET libutf8proc)
  find_package(OpenSSL REQUIRED COMPONENTS Crypto)
  find_package(nlohmann_json REQUIRED)
  glouton_layer(board SOURCES names.cpp submission.cpp USES glouton_sim glouton_replay_link)
  target_link_libraries(glouton_board PRIVATE PkgConfig::UTF8PROC OpenSSL::Crypto
                                      PUBLIC nlohmann_json::nlohmann_json)
endif()
