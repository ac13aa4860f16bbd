# SPDX-License-Identifier: MIT
# `make web`: the game as a static web page, built with emscripten from the same model and
# game library as the desktop program. The page lands in <build>/site; with
# WORDROP_WEB_TESTING, <build>/site-testing is the same page with the browser suite's way
# in (wordrop_fail_operation), which the public page never carries.
set(site ${CMAKE_BINARY_DIR}/site)
set(page_sources ${CMAKE_SOURCE_DIR}/src/window/web/page)
option(WORDROP_WEB_TESTING "Also build site-testing, the page for the browser suite" OFF)

# The model raises run-time errors as C++ exceptions, which its event loop catches.
target_compile_options(wordrop_core PRIVATE -fwasm-exceptions -flto)
set(exported wordrop_start wordrop_pointer wordrop_tap wordrop_key wordrop_type wordrop_edit wordrop_pick
    wordrop_activate wordrop_focus wordrop_deactivate wordrop_faces_changed malloc free)
# The page's scripts are minified: they are most of what a slow connection waits for
# besides the program.
find_program(ESBUILD esbuild REQUIRED)
# The faces' own metrics, read from their files when they are cut (below).
set(face_metrics ${CMAKE_BINARY_DIR}/face-metrics)
function(wordrop_web_program target directory exported)
    add_executable(${target} src/web_main.cpp src/window/web/WebView.cpp
                             src/window/web/SceneJson.cpp src/window/web/FaceWidths.cpp
                             ${face_metrics}/FaceMetrics.inc ${face_metrics}/FaceTables.inc)
    target_include_directories(${target} PRIVATE ${face_metrics})
    target_link_libraries(${target} PRIVATE wordrop_core)
    list(TRANSFORM exported PREPEND _)
    string(REPLACE ";" "," exported "${exported}")
    target_compile_options(${target} PRIVATE -fwasm-exceptions -flto)
    # No eval: the page's Content-Security-Policy allows WebAssembly and nothing else.
    target_link_options(${target} PRIVATE -fwasm-exceptions -flto -sMODULARIZE=1
        -sEXPORT_NAME=createWordrop -sENVIRONMENT=web -sFILESYSTEM=0 -sALLOW_MEMORY_GROWTH=1
        -sDYNAMIC_EXECUTION=0 -sMALLOC=emmalloc -Oz -sTEXTDECODER=2
        -sINCOMING_MODULE_JS_API=[instantiateWasm] -sEXPORTED_FUNCTIONS=${exported}
        -sEXPORTED_RUNTIME_METHODS=UTF8ToString,stringToUTF8,lengthBytesUTF8)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME wordrop
                                               RUNTIME_OUTPUT_DIRECTORY ${directory})
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${ESBUILD} --minify --log-level=warning --allow-overwrite
                ${directory}/wordrop.js --outfile=${directory}/wordrop.js VERBATIM)
endfunction()
wordrop_web_program(wordrop_web ${site} "${exported}")

# The faces the desktop draws with, each split into a Latin subset and the rest (see
# subset_face.py), with its licence: Debian's packages, and Gelasio from the repository;
# this EB Garamond and Gelasio are Latin only.
include(cmake/Gelasio.cmake)
# The faces are cut with Debian's Python, fontconfig, harfbuzz and woff2.
find_program(WORDROP_FONT_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
foreach(tool fc-query hb-subset woff2_compress)
    find_program(found_${tool} ${tool} REQUIRED)
endforeach()
# Each face's stand-in, while it loads or if it fails (subset_face.py): a face of the
# same widths as one of these files, found by these names, from Windows, Apple's systems,
# ChromeOS (Tinos, Arimo, Cousine) and most Linux desktops. A bold face is named whole
# first, then by its family, which is all that WebKit looks a local face up by.
set(liberation /usr/share/fonts/truetype/liberation2)
set(serif "${liberation}/LiberationSerif-Regular.ttf|Liberation Serif,LiberationSerif,Times New Roman,TimesNewRomanPSMT,Tinos")
set(serif_bold "${liberation}/LiberationSerif-Bold.ttf|Liberation Serif Bold,LiberationSerif-Bold,Times New Roman Bold,TimesNewRomanPS-BoldMT,Tinos Bold,Liberation Serif,Times New Roman,Tinos")
set(mono_bold "${liberation}/LiberationMono-Bold.ttf|Liberation Mono Bold,LiberationMono-Bold,Courier New Bold,CourierNewPS-BoldMT,Cousine Bold,Liberation Mono,Courier New,Cousine")
set(sans "${liberation}/LiberationSans-Regular.ttf|Liberation Sans,LiberationSans,Arial,ArialMT,Arimo")
# In the order of their names, which fonts.css keeps and the page names failed faces in.
set(faces
    "Comic Neue|400|/usr/share/fonts/opentype/comic-neue/ComicNeue-Regular.otf|fonts-comic-neue|--rest|${sans}"
    "EB Garamond|700|/usr/share/fonts/opentype/ebgaramond/EBGaramond12-Bold.otf|fonts-ebgaramond||${serif_bold}"
    "Gelasio|400|${WORDROP_GELASIO_DIR}/gelasio-latin-400-normal.ttf|gelasio||${serif}"
    "Liberation Mono|700|${liberation}/LiberationMono-Bold.ttf|fonts-liberation2|--rest|${mono_bold}"
    "Liberation Serif|400|${liberation}/LiberationSerif-Regular.ttf|fonts-liberation2|--rest|${serif}"
    "Liberation Serif|700|${liberation}/LiberationSerif-Bold.ttf|fonts-liberation2|--rest|${serif_bold}")
set(licences
    "fonts-liberation2|/usr/share/doc/fonts-liberation2/copyright"
    "fonts-ebgaramond|/usr/share/doc/fonts-ebgaramond/copyright"
    "fonts-comic-neue|/usr/share/doc/fonts-comic-neue/copyright"
    "gelasio|${WORDROP_GELASIO_DIR}/OFL.txt")
set(site_files)  # every file of the page but the service worker, as the site names it
set(font_css_parts)
set(font_metrics_parts)
set(font_table_parts)
set(work ${CMAKE_BINARY_DIR}/fonts-css)
foreach(face IN LISTS faces)
    string(REPLACE "|" ";" face "${face}")
    list(GET face 0 family)
    list(GET face 1 weight)
    list(GET face 2 source)
    list(GET face 3 licence)
    list(GET face 4 rest)
    list(GET face 5 stand_in)
    list(GET face 6 local_names)
    get_filename_component(stem ${source} NAME_WE)
    set(outputs ${site}/fonts/${stem}.latin.woff2)
    list(APPEND site_files fonts/${stem}.latin.woff2)
    if(rest)
        list(APPEND outputs ${site}/fonts/${stem}.rest.woff2)
        list(APPEND site_files fonts/${stem}.rest.woff2)
    endif()
    add_custom_command(OUTPUT ${outputs} ${work}/${stem}.css ${work}/${stem}.inc
                              ${work}/${stem}.inc.tables
        COMMAND ${CMAKE_COMMAND} -E make_directory ${work} ${site}/fonts
        COMMAND ${WORDROP_FONT_PYTHON} ${CMAKE_SOURCE_DIR}/cmake/subset_face.py ${source}
                ${site}/fonts ${stem} ${family} ${weight} LICENSE.${licence}.txt
                ${work}/${stem}.css ${work}/${stem}.inc ${stand_in} ${local_names} ${rest}
        DEPENDS ${source} ${stand_in} ${CMAKE_SOURCE_DIR}/cmake/subset_face.py VERBATIM)
    list(APPEND font_css_parts ${work}/${stem}.css)
    list(APPEND font_metrics_parts ${work}/${stem}.inc)
    list(APPEND font_table_parts ${work}/${stem}.inc.tables)
endforeach()
add_custom_command(OUTPUT ${site}/fonts.css
    COMMAND ${CMAKE_COMMAND} -E cat ${font_css_parts} > ${site}/fonts.css
    DEPENDS ${font_css_parts})
add_custom_command(OUTPUT ${face_metrics}/FaceMetrics.inc ${face_metrics}/FaceTables.inc
    COMMAND ${CMAKE_COMMAND} -E make_directory ${face_metrics}
    COMMAND ${CMAKE_COMMAND} -E cat ${font_metrics_parts} > ${face_metrics}/FaceMetrics.inc
    COMMAND ${CMAKE_COMMAND} -E cat ${font_table_parts} > ${face_metrics}/FaceTables.inc
    DEPENDS ${font_metrics_parts} ${font_table_parts})
list(APPEND site_files fonts.css)
foreach(licence IN LISTS licences)
    string(REPLACE "|" ";" licence "${licence}")
    list(GET licence 0 name)
    list(GET licence 1 source)
    add_custom_command(OUTPUT ${site}/fonts/LICENSE.${name}.txt
        COMMAND ${CMAKE_COMMAND} -E make_directory ${site}/fonts
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${site}/fonts/LICENSE.${name}.txt
        DEPENDS ${source} VERBATIM)
    list(APPEND site_files fonts/LICENSE.${name}.txt)
endforeach()

set(copies
    "${page_sources}/index.html|index.html" "${page_sources}/boot.js|boot.js"
    "${page_sources}/view.js|view.js" "${page_sources}/page.css|page.css"
    "${page_sources}/manifest.webmanifest|manifest.webmanifest"
    "${CMAKE_SOURCE_DIR}/data/io.github.wordrop.Wordrop.svg|icon.svg"
    "${CMAKE_SOURCE_DIR}/LICENSE|LICENSE")
foreach(copy IN LISTS copies)
    string(REPLACE "|" ";" copy "${copy}")
    list(GET copy 0 source)
    list(GET copy 1 name)
    if(name MATCHES "\\.js$")
        set(command ${ESBUILD} --minify --log-level=warning ${source} --outfile=${site}/${name})
    elseif(name STREQUAL "index.html")
        set(command ${WORDROP_FONT_PYTHON} ${CMAKE_SOURCE_DIR}/cmake/inline_script.py ${source}
                    ${site}/${name})
    else()
        set(command ${CMAKE_COMMAND} -E copy ${source} ${site}/${name})
    endif()
    add_custom_command(OUTPUT ${site}/${name} COMMAND ${command}
                       DEPENDS ${source} ${CMAKE_SOURCE_DIR}/cmake/inline_script.py VERBATIM)
    list(APPEND site_files ${name})
endforeach()
# The installed app's icons: the SVG, and PNGs for launchers that want pixels.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
foreach(size 192 512)
    add_custom_command(OUTPUT ${site}/icon-${size}.png
        COMMAND ${RSVG_CONVERT} -w ${size} -h ${size}
                ${CMAKE_SOURCE_DIR}/data/io.github.wordrop.Wordrop.svg -o ${site}/icon-${size}.png
        DEPENDS ${CMAKE_SOURCE_DIR}/data/io.github.wordrop.Wordrop.svg VERBATIM)
    list(APPEND site_files icon-${size}.png)
endforeach()

# The service worker caches every file of the page under a name made from their contents,
# so that a new build replaces the cache; it is minified as the page's other scripts are.
set(sources ${site_files})
list(TRANSFORM sources PREPEND ${site}/)
list(APPEND site_files wordrop.js wordrop.wasm)
set(service_worker ${CMAKE_SOURCE_DIR}/cmake/ServiceWorker.cmake)
add_custom_command(OUTPUT ${site}/sw.js
    COMMAND ${CMAKE_COMMAND} -DSITE=${site} "-DFILES=${site_files}"
            -DTEMPLATE=${page_sources}/sw.js -P ${service_worker}
    COMMAND ${ESBUILD} --minify --log-level=warning --allow-overwrite ${site}/sw.js
            --outfile=${site}/sw.js
    DEPENDS ${sources} wordrop_web ${page_sources}/sw.js ${service_worker} VERBATIM)
add_custom_target(wordrop_site ALL DEPENDS ${sources} ${site}/sw.js)

if(WORDROP_WEB_TESTING)
    set(testing ${CMAKE_BINARY_DIR}/testing)
    wordrop_web_program(wordrop_web_testing ${testing} "${exported};wordrop_fail_operation;wordrop_draw_figure_piece")
    target_compile_definitions(wordrop_web_testing PRIVATE WORDROP_WEB_TESTING)
    set(site_testing ${CMAKE_BINARY_DIR}/site-testing)
    add_custom_command(OUTPUT ${site_testing}/sw.js
        COMMAND ${CMAKE_COMMAND} -E rm -rf ${site_testing}
        COMMAND ${CMAKE_COMMAND} -E copy_directory ${site} ${site_testing}
        COMMAND ${CMAKE_COMMAND} -E copy ${testing}/wordrop.js ${testing}/wordrop.wasm
                ${site_testing}
        COMMAND ${CMAKE_COMMAND} -DSITE=${site_testing} "-DFILES=${site_files}"
                -DTEMPLATE=${page_sources}/sw.js -P ${service_worker}
        COMMAND ${ESBUILD} --minify --log-level=warning --allow-overwrite ${site_testing}/sw.js
                --outfile=${site_testing}/sw.js
        DEPENDS ${site}/sw.js wordrop_web_testing VERBATIM)
    add_custom_target(wordrop_site_testing ALL DEPENDS ${site_testing}/sw.js)
endif()
