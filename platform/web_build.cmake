# SPDX-License-Identifier: GPL-3.0-or-later
# The program as WebAssembly for a page (included by shell/ when building with emcmake):
# heliora.js (a factory, createHeliora), heliora.wasm, and heliora.data holding the data files
# and the fonts, subset to the Windows-1252 characters the program can draw.
# pyftsubset, as Debian's python3-fonttools provides it: a module of the system's Python (not
# of another Python that may come first on the PATH), no command of its own.
find_program(HELIORA_PYTHON3 python3 PATHS /usr/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(HELIORA_FONT_DIR /usr/share/fonts/truetype/liberation2 CACHE PATH "Liberation 2 fonts")
set(HELIORA_FONT_LICENSE /usr/share/doc/fonts-liberation2/copyright CACHE FILEPATH
    "The Liberation fonts' licence, shipped beside them")

function(heliora_web_program target)
  set(fonts ${CMAKE_CURRENT_BINARY_DIR}/web-fonts)
  # Printable ASCII, the Latin-1 half, and what Windows-1252 puts at 0x80..0x9F.
  set(cp1252 "U+0020-007E,U+00A0-00FF,U+20AC,U+201A,U+0192,U+201E,U+2026,U+2020,U+2021,U+02C6,U+2030,U+0160,U+2039,U+0152,U+017D,U+2018,U+2019,U+201C,U+201D,U+2022,U+2013,U+2014,U+02DC,U+2122,U+0161,U+203A,U+0153,U+017E,U+0178")
  set(outputs)
  foreach(face LiberationSans-Regular LiberationSans-Bold LiberationSerif-Bold)
    set(out ${fonts}/${face}.ttf)
    # Hinting instructions, metrics tables (hdmx among them) and names stay, so the glyphs'
    # pixels are those of the whole font.
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${fonts}
      COMMAND ${HELIORA_PYTHON3} -m fontTools.subset ${HELIORA_FONT_DIR}/${face}.ttf --unicodes=${cp1252}
              --output-file=${out} --hinting --notdef-glyph --notdef-outline
              --name-IDs=* --name-languages=* --layout-features=* --legacy-kern
              --drop-tables-=hdmx,VDMX,LTSH
      DEPENDS ${HELIORA_FONT_DIR}/${face}.ttf
      VERBATIM)
    list(APPEND outputs ${out})
  endforeach()
  add_custom_command(OUTPUT ${fonts}/LICENSE
    COMMAND ${CMAKE_COMMAND} -E make_directory ${fonts}
    COMMAND ${CMAKE_COMMAND} -E copy ${HELIORA_FONT_LICENSE} ${fonts}/LICENSE
    DEPENDS ${HELIORA_FONT_LICENSE}
    VERBATIM)
  list(APPEND outputs ${fonts}/LICENSE)
  add_custom_target(${target}_web_fonts DEPENDS ${outputs})
  add_dependencies(${target} ${target}_web_fonts)

  set(data ${PROJECT_SOURCE_DIR}/data)
  set(exports _main,_HelioraPicture,_HelioraPictureWidth,_HelioraPictureHeight,_HelioraCommand,_HelioraScreenId,_HelioraPresentCount)
  set_target_properties(${target} PROPERTIES SUFFIX ".js")
  target_link_options(${target} PRIVATE
    -sMODULARIZE=1 -sEXPORT_NAME=createHeliora -sENVIRONMENT=web
    -sASYNCIFY=1 -sASYNCIFY_STACK_SIZE=262144
    # Only the program's waits and sleeps unwind to the browser. Every function that makes an
    # indirect call counts as one that might, so the libraries' (FreeType, libpng, zlib,
    # stdio, allocation) that never do are named here: less code, and none of their calls
    # is checked for an unwind.
    -sASYNCIFY_REMOVE=@${PROJECT_SOURCE_DIR}/platform/web_asyncify_remove.json
    -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=67108864
    -sEXPORTED_FUNCTIONS=${exports}
    -sEXPORTED_RUNTIME_METHODS=ccall,cwrap,HEAPU8
    "SHELL:--pre-js ${PROJECT_SOURCE_DIR}/platform/web_pre.js"
    "SHELL:--preload-file ${data}/hlra_cfg.bin@/heliora/hlra_cfg.bin"
    "SHELL:--preload-file ${data}/newcoast.txt@/heliora/newcoast.txt"
    "SHELL:--preload-file ${data}/coast5.bin@/heliora/coast5.bin"
    "SHELL:--preload-file ${fonts}@/fonts")
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS
               ${PROJECT_SOURCE_DIR}/platform/web_pre.js
               ${PROJECT_SOURCE_DIR}/platform/web_asyncify_remove.json ${data}/hlra_cfg.bin ${data}/newcoast.txt
               ${data}/coast5.bin ${outputs})
endfunction()
