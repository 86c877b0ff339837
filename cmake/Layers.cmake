# The layers of the code, one static library per folder of src/. A library's
# include path holds its own folder and those of the libraries it links (and
# theirs, as their headers need them), and nothing else: each folder is reached
# through its own directory of links in the build tree, so an include of a
# higher layer fails to build. Which folders a folder's own files may name is
# narrower, and written in one place, cmake/layers.txt: the `layers.includes`
# test (tests/layers_check.sh) holds every include to it, `..` and <...> too.
#
#   glouton_layer(FOLDER [SOURCES file...] [USES library...])
#
# makes glouton_FOLDER from $GLOUTON_SRC/FOLDER/<file>; USES are the lower libraries.
set(GLOUTON_SRC ${CMAKE_CURRENT_LIST_DIR}/../src)
function(glouton_layer folder)
  cmake_parse_arguments(L "" "" "SOURCES;USES" ${ARGN})
  set(target glouton_${folder})
  set(include_dir ${PROJECT_BINARY_DIR}/layers/${folder})
  file(MAKE_DIRECTORY ${include_dir})
  file(CREATE_LINK ${GLOUTON_SRC}/${folder} ${include_dir}/${folder} SYMBOLIC)
  if(L_SOURCES)
    list(TRANSFORM L_SOURCES PREPEND ${GLOUTON_SRC}/${folder}/)
    add_library(${target} STATIC ${L_SOURCES})
    target_include_directories(${target} PUBLIC ${include_dir})
    target_link_libraries(${target} PUBLIC ${L_USES} PRIVATE glouton_warnings)
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${include_dir})
    target_link_libraries(${target} INTERFACE ${L_USES})
  endif()
endfunction()
