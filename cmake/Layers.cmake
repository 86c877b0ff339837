# The layers of the code, one static library per folder of src/. A library's
# include path holds its own folder and those of the libraries it links, and
# nothing else: each folder is reached through its own directory of links in
# the build tree, so an include of a higher layer fails to build.
#
#   glouton_layer(FOLDER [SOURCES file...] [USES library...])
#
# makes glouton_FOLDER from src/FOLDER/<file>; USES are the lower libraries.
function(glouton_layer folder)
  cmake_parse_arguments(L "" "" "SOURCES;USES" ${ARGN})
  set(target glouton_${folder})
  set(include_dir ${PROJECT_BINARY_DIR}/layers/${folder})
  file(MAKE_DIRECTORY ${include_dir})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${include_dir}/${folder} SYMBOLIC)
  if(L_SOURCES)
    list(TRANSFORM L_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/src/${folder}/)
    add_library(${target} STATIC ${L_SOURCES})
    target_include_directories(${target} PUBLIC ${include_dir})
    target_link_libraries(${target} PUBLIC ${L_USES} PRIVATE glouton_warnings)
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${include_dir})
    target_link_libraries(${target} INTERFACE ${L_USES})
  endif()
endfunction()
