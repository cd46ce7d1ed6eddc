# The face the page writes with, cut down to what the show draws.
#
# starwhirl_western_face(OUTPUT FULL_FACE_VAR) adds a build rule that writes
# OUTPUT: the face the native show finds for its font (app/show.h) on this machine
# (DejaVu Sans on Debian, asked of fontconfig as the show asks it), keeping
# only the glyphs of the 256 Windows-1252 codes and the missing glyph. Their
# outlines, advances, hinting programs and the face's metrics stay as they
# are, so FreeType draws every one of the 256 codes exactly as from the full
# face. FULL_FACE_VAR receives the full face's path.

# Every character a Windows-1252 code stands for; the five codes that code
# page leaves undefined keep their own code point, which lies in U+0080-00FF.
set(STARWHIRL_WESTERN_CHARACTERS
  "U+0000-00FF,U+0152,U+0153,U+0160,U+0161,U+0178,U+017D,U+017E,U+0192,U+02C6,U+02DC,U+2013,U+2014,U+2018-201A,U+201C-201E,U+2020-2022,U+2026,U+2030,U+2039,U+203A,U+20AC,U+2122")

set(STARWHIRL_WEB_FONT "" CACHE FILEPATH "The face the page bundles; empty: fontconfig's choice for the show's face")

function(starwhirl_western_face output full_face_var)
  # The face the show asks for, as app/show.h names it.
  file(STRINGS ${PROJECT_SOURCE_DIR}/app/show.h request REGEX "FontRequest{\"[^\"]+\"")
  if(NOT request MATCHES "FontRequest{\"([^\"]+)\"")
    message(FATAL_ERROR "app/show.h names no font request for the page to bundle the face of")
  endif()
  set(name "${CMAKE_MATCH_1}")
  set(face "${STARWHIRL_WEB_FONT}")
  if(NOT face)
    find_program(FC_MATCH_PROGRAM fc-match REQUIRED)
    execute_process(COMMAND ${FC_MATCH_PROGRAM} -f "%{file}" "${name}:weight=regular:slant=roman:scalable=true"
                    OUTPUT_VARIABLE face RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT EXISTS "${face}")
      message(FATAL_ERROR "fontconfig finds no face for \"${name}\" to bundle with the page: install fonts-dejavu-core")
    endif()
  endif()
  find_program(PYFTSUBSET_PROGRAM pyftsubset)
  if(NOT PYFTSUBSET_PROGRAM)
    message(FATAL_ERROR "pyftsubset, which cuts the page's face down, is missing: install fonttools")
  endif()
  # Layout and maths tables serve text shaping and formulas, which the show
  # does not do; FreeType draws single glyphs without them.
  add_custom_command(OUTPUT ${output}
    COMMAND ${PYFTSUBSET_PROGRAM} ${face} --output-file=${output}
            --unicodes=${STARWHIRL_WESTERN_CHARACTERS}
            --notdef-glyph --notdef-outline --hinting --drop-tables+=GDEF,GPOS,GSUB,MATH,kern
            --name-IDs=* --name-languages=* --no-recalc-bounds --no-prune-unicode-ranges
    DEPENDS ${face}
    COMMENT "Cutting ${face} down to the 256 western codes"
    VERBATIM)
  set(${full_face_var} ${face} PARENT_SCOPE)
endfunction()
