# The Windows programs, cross-built with MinGW-w64 (make windows), and their
# zip: the programs, the SDL DLLs built by tools/cross/build-sdl.sh, the
# sounds and music, a README.txt and the game's licence. The pictures and texts
# are built into the programs (the glyph atlas): no font ships.

# glouton.exe opens no console window; its warnings then go to a log file.
# SDL2main gives it the WinMain that a windowed program starts from.
find_package(SDL2 CONFIG REQUIRED)
set_target_properties(glouton PROPERTIES WIN32_EXECUTABLE ON)
target_sources(glouton PRIVATE ${PROJECT_SOURCE_DIR}/src/windows/log_file.cpp)
target_link_libraries(glouton PRIVATE SDL2::SDL2main)
target_sources(glouton-sim PRIVATE ${PROJECT_SOURCE_DIR}/src/windows/binary_stdout.cpp)
# The glouton's face as the game's icon in Explorer (the window sets its own).
enable_language(RC)
find_program(GLOUTON_CONVERT convert REQUIRED)
set(icon ${PROJECT_BINARY_DIR}/glouton.ico)
add_custom_command(OUTPUT ${icon}
                   COMMAND ${GLOUTON_CONVERT} ${PROJECT_SOURCE_DIR}/assets/glouton.xpm ${icon}
                   DEPENDS ${PROJECT_SOURCE_DIR}/assets/glouton.xpm VERBATIM)
file(WRITE ${PROJECT_BINARY_DIR}/glouton.rc "1 ICON \"${icon}\"\n")
add_custom_target(glouton_icon DEPENDS ${icon})
add_dependencies(glouton glouton_icon)
set_source_files_properties(${PROJECT_BINARY_DIR}/glouton.rc PROPERTIES OBJECT_DEPENDS ${icon})
target_sources(glouton PRIVATE ${PROJECT_BINARY_DIR}/glouton.rc)
# The C++ runtime inside the programs: only the SDL DLLs lie beside them.
target_link_options(glouton PRIVATE -static)
target_link_options(glouton-sim PRIVATE -static)

file(GLOB GLOUTON_DLLS ${GLOUTON_CROSS_PREFIX}/bin/*.dll)
# The cross-built SDL libraries include SDL2_ttf and FreeType; the game uses
# neither, so they stay out of the zip.
list(FILTER GLOUTON_DLLS EXCLUDE REGEX "/(SDL2_ttf|SDL2_image|libfreetype[^/]*)\\.dll$")
if(NOT GLOUTON_DLLS)
  message(FATAL_ERROR "no SDL DLLs in GLOUTON_CROSS_PREFIX (${GLOUTON_CROSS_PREFIX}): "
                      "build them with tools/cross/build-sdl.sh mingw64")
endif()

set(name glouton-${PROJECT_VERSION}-windows-x64)
set(stage ${PROJECT_BINARY_DIR}/${name})
set(zip ${PROJECT_BINARY_DIR}/${name}.zip)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt ${PROJECT_BINARY_DIR}/README.txt
               NEWLINE_STYLE CRLF)
set(shipped_programs ${stage}/glouton.exe ${stage}/glouton-sim.exe)
foreach(dll IN LISTS GLOUTON_DLLS)
  get_filename_component(dll_name ${dll} NAME)
  list(APPEND shipped_programs ${stage}/${dll_name})
endforeach()
add_custom_command(
  OUTPUT ${zip}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage} ${zip}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:glouton> $<TARGET_FILE:glouton-sim> ${GLOUTON_DLLS}
          ${PROJECT_BINARY_DIR}/README.txt ${stage}
  COMMAND ${CMAKE_STRIP} --strip-unneeded ${shipped_programs}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${GLOUTON_SOUND_DIR} ${stage}/gloutonone
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${stage}/LICENSE.txt
  COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip ${name}
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
  DEPENDS glouton glouton-sim ${GLOUTON_DLLS} ${GLOUTON_SOUNDS}
          ${GLOUTON_SOUND_DIR}/musique-bis.mid ${PROJECT_BINARY_DIR}/README.txt ${PROJECT_SOURCE_DIR}/LICENSE
  COMMENT "Packing ${name}.zip"
  VERBATIM)
add_custom_target(windows_zip ALL DEPENDS ${zip})
