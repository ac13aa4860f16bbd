# SPDX-License-Identifier: MIT
# Gelasio, Georgia's free stand-in, which Debian does not package, goes inside the program so
# that it draws the same on every machine. Its two faces and their licence (the OFL) are in
# data/fonts: the TrueType files unpacked from the WOFF2 files of the npm package
# @fontsource/gelasio ${WORDROP_GELASIO_VERSION}, so no build fetches anything.
set(WORDROP_GELASIO_VERSION 5.3.0)
set(WORDROP_GELASIO_DIR ${CMAKE_SOURCE_DIR}/data/fonts)
set(WORDROP_GELASIO_FACES gelasio-latin-400-normal.ttf gelasio-latin-700-normal.ttf)

# A distribution with a Gelasio package of its own can have the game use that copy, found
# by fontconfig when the game runs, instead of carrying one; the package then depends on
# WORDROP_GELASIO_PACKAGE.
option(WORDROP_SYSTEM_GELASIO "Use the system's Gelasio instead of carrying a copy inside the program" OFF)
set(WORDROP_GELASIO_PACKAGE "" CACHE STRING
    "With WORDROP_SYSTEM_GELASIO, the Debian package that has Gelasio, for the package's Depends")
set(WORDROP_BUNDLED_GELASIO ON)
if(WORDROP_SYSTEM_GELASIO)
    set(WORDROP_BUNDLED_GELASIO OFF)
    find_program(FC_MATCH fc-match)
    if(FC_MATCH)
        execute_process(COMMAND ${FC_MATCH} --format=%{family} Gelasio
                        OUTPUT_VARIABLE system_gelasio ERROR_QUIET)
        if(NOT system_gelasio MATCHES "Gelasio")
            message(WARNING "WORDROP_SYSTEM_GELASIO: fontconfig finds no Gelasio here; the "
                            "game will draw Georgia's captions in '${system_gelasio}'")
        endif()
    endif()
endif()

# Adds the faces to a target as Qt resources under :/fonts, with WORDROP_GELASIO defined;
# with WORDROP_SYSTEM_GELASIO, nothing.
function(wordrop_bundle_gelasio target)
    if(NOT WORDROP_BUNDLED_GELASIO)
        return()
    endif()
    set(files)
    foreach(face IN LISTS WORDROP_GELASIO_FACES)
        set_source_files_properties(${WORDROP_GELASIO_DIR}/${face} PROPERTIES
                                    QT_RESOURCE_ALIAS ${face})
        list(APPEND files ${WORDROP_GELASIO_DIR}/${face})
    endforeach()
    qt_add_resources(${target} bundled_fonts PREFIX /fonts FILES ${files})
    target_compile_definitions(${target} PRIVATE WORDROP_GELASIO)
endfunction()
