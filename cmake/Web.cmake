# SPDX-License-Identifier: MIT
# `make web`: the game as a static web page, built with emscripten from the same model and
# game library as the desktop program. The page lands in <build>/site.
set(site ${CMAKE_BINARY_DIR}/site)
set(page_sources ${CMAKE_SOURCE_DIR}/src/window/web/page)

add_executable(wordrop_web src/web_main.cpp src/window/web/WebView.cpp)
target_link_libraries(wordrop_web PRIVATE wordrop_core)
set(exported wordrop_start wordrop_press wordrop_release wordrop_click_control
    wordrop_press_key wordrop_press_default_button wordrop_type wordrop_fail_operation malloc free)
list(TRANSFORM exported PREPEND _)
string(REPLACE ";" "," exported "${exported}")
# The model raises run-time errors as C++ exceptions, which its event loop catches.
target_compile_options(wordrop_core PRIVATE -fexceptions)
target_compile_options(wordrop_web PRIVATE -fexceptions)
target_link_options(wordrop_web PRIVATE -fexceptions -sMODULARIZE=1 -sEXPORT_NAME=createWordrop
    -sENVIRONMENT=web -sFILESYSTEM=0 -sALLOW_MEMORY_GROWTH=1 -sEXPORTED_FUNCTIONS=${exported}
    -sEXPORTED_RUNTIME_METHODS=UTF8ToString,stringToUTF8,lengthBytesUTF8)
set_target_properties(wordrop_web PROPERTIES OUTPUT_NAME wordrop RUNTIME_OUTPUT_DIRECTORY ${site})

# The faces the desktop draws with, as WOFF2, each with its licence: Debian's packages,
# and Gelasio from the repository.
include(cmake/Gelasio.cmake)
find_program(WOFF2_COMPRESS woff2_compress REQUIRED)
set(faces
    "Liberation Serif|400|/usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf"
    "Liberation Serif|700|/usr/share/fonts/truetype/liberation2/LiberationSerif-Bold.ttf"
    "Liberation Mono|700|/usr/share/fonts/truetype/liberation2/LiberationMono-Bold.ttf"
    "EB Garamond|700|/usr/share/fonts/opentype/ebgaramond/EBGaramond12-Bold.otf"
    "Comic Neue|400|/usr/share/fonts/opentype/comic-neue/ComicNeue-Regular.otf"
    "Gelasio|400|${WORDROP_GELASIO_DIR}/gelasio-latin-400-normal.ttf")
set(licences
    "fonts-liberation2|/usr/share/doc/fonts-liberation2/copyright"
    "fonts-ebgaramond|/usr/share/doc/fonts-ebgaramond/copyright"
    "fonts-comic-neue|/usr/share/doc/fonts-comic-neue/copyright"
    "gelasio|${WORDROP_GELASIO_DIR}/OFL.txt")
set(font_css "")
set(font_files)
foreach(face IN LISTS faces)
    string(REPLACE "|" ";" face "${face}")
    list(GET face 0 family)
    list(GET face 1 weight)
    list(GET face 2 source)
    get_filename_component(stem ${source} NAME_WE)
    get_filename_component(extension ${source} EXT)
    set(work ${CMAKE_BINARY_DIR}/woff2)
    set(woff2 ${site}/fonts/${stem}.woff2)
    add_custom_command(OUTPUT ${woff2}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${work} ${site}/fonts
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${work}/${stem}${extension}
        COMMAND ${WOFF2_COMPRESS} ${work}/${stem}${extension} > /dev/null
        COMMAND ${CMAKE_COMMAND} -E copy ${work}/${stem}.woff2 ${woff2}
        DEPENDS ${source} VERBATIM)
    list(APPEND font_files ${woff2})
    string(APPEND font_css "@font-face { font-family: \"${family}\"; font-weight: ${weight}; "
                           "src: url(\"fonts/${stem}.woff2\") format(\"woff2\"); }\n")
endforeach()
foreach(licence IN LISTS licences)
    string(REPLACE "|" ";" licence "${licence}")
    list(GET licence 0 name)
    list(GET licence 1 source)
    set(copy ${site}/fonts/LICENSE.${name}.txt)
    add_custom_command(OUTPUT ${copy}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${site}/fonts
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
        DEPENDS ${source} VERBATIM)
    list(APPEND font_files ${copy})
endforeach()
file(CONFIGURE OUTPUT ${site}/fonts.css CONTENT "${font_css}")

set(page_files)
foreach(file index.html view.js page.css)
    add_custom_command(OUTPUT ${site}/${file}
        COMMAND ${CMAKE_COMMAND} -E copy ${page_sources}/${file} ${site}/${file}
        DEPENDS ${page_sources}/${file} VERBATIM)
    list(APPEND page_files ${site}/${file})
endforeach()
add_custom_command(OUTPUT ${site}/icon.svg
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/data/io.github.wordrop.Wordrop.svg
            ${site}/icon.svg
    DEPENDS ${CMAKE_SOURCE_DIR}/data/io.github.wordrop.Wordrop.svg VERBATIM)
add_custom_command(OUTPUT ${site}/LICENSE
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/LICENSE ${site}/LICENSE
    DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE VERBATIM)
add_custom_target(wordrop_site ALL DEPENDS ${font_files} ${page_files} ${site}/LICENSE ${site}/icon.svg)
