# What the drawing module draws with, made at build time by native tools and
# built into every program: the texts' glyph atlas (Liberation Sans drawn by
# SDL_ttf and checked against it) and the picture pack (assets/*.xpm read by
# SDL_image). No program reads a font or a picture file when it runs.
set(GLOUTON_FONT_DIR /usr/share/fonts/truetype/liberation2 CACHE PATH "Liberation Sans, for the glyph atlas")
foreach(face LiberationSans-Bold.ttf LiberationSans-Regular.ttf)
  if(NOT EXISTS ${GLOUTON_FONT_DIR}/${face})
    message(FATAL_ERROR "${GLOUTON_FONT_DIR}/${face} is missing, which the glyph atlas is made from: "
                        "install fonts-liberation2 (make deps)")
  endif()
endforeach()
set(atlas ${CMAKE_CURRENT_BINARY_DIR}/glyph_atlas.cpp)
add_custom_command(OUTPUT ${atlas}
                   COMMAND bash ${GLOUTON_SRC}/../tools/make-glyph-atlas.sh ${GLOUTON_FONT_DIR} ${atlas}
                   DEPENDS ${GLOUTON_SRC}/../tools/make-glyph-atlas.sh ${GLOUTON_SRC}/../tools/glyph-atlas.cpp
                           ${GLOUTON_SRC}/../tools/glyph_text.h ${GLOUTON_SRC}/draw/fitting_size.h
                           ${GLOUTON_SRC}/title/form2_layout.h VERBATIM)
# The game window's sprites and captions, and the title window's face.
set(GLOUTON_PICTURES glouton tete1 tete2 tete3 mur sol gomme bonus1 bonus2 bonus3 bonus4
                     score highs face)
set(packed ${CMAKE_CURRENT_BINARY_DIR}/picture_pack.cpp)
list(TRANSFORM GLOUTON_PICTURES PREPEND ${GLOUTON_SRC}/../assets/ OUTPUT_VARIABLE xpms)
list(TRANSFORM xpms APPEND .xpm)
add_custom_command(OUTPUT ${packed}
                   COMMAND bash ${GLOUTON_SRC}/../tools/make-picture-pack.sh ${packed}
                           ${GLOUTON_SRC}/.. ${GLOUTON_PICTURES}
                   DEPENDS ${GLOUTON_SRC}/../tools/make-picture-pack.sh
                           ${GLOUTON_SRC}/../tools/picture-pack.cpp ${GLOUTON_SRC}/ports/picture.h
                           ${xpms} VERBATIM)
target_sources(glouton_draw PRIVATE ${atlas} ${packed})
