# SPDX-License-Identifier: MIT
# Gelasio, Georgia's free stand-in, goes inside the program so that it draws the same on
# every machine: fetched from the npm registry once, when the build is configured, where
# npm and woff2_decompress are found. Elsewhere the desktop's own Gelasio is used, if any.
set(WORDROP_GELASIO_VERSION 5.3.0)
set(WORDROP_GELASIO_SHA1 05e6153057f8855e79943f272cc35fe0ba769200)
set(WORDROP_GELASIO_DIR ${CMAKE_BINARY_DIR}/gelasio-${WORDROP_GELASIO_VERSION})

find_program(NPM npm)
find_program(WOFF2_DECOMPRESS woff2_decompress)
set(WORDROP_GELASIO OFF)
if(EXISTS ${WORDROP_GELASIO_DIR}/OFL.txt)
    set(WORDROP_GELASIO ON)
elseif(NPM AND WOFF2_DECOMPRESS)
    message(STATUS "Fetching Gelasio ${WORDROP_GELASIO_VERSION} from the npm registry")
    execute_process(
        COMMAND ${CMAKE_SOURCE_DIR}/scripts/fetch-gelasio.sh ${WORDROP_GELASIO_VERSION}
                ${WORDROP_GELASIO_SHA1} ${WORDROP_GELASIO_DIR}.part
        RESULT_VARIABLE fetched)
    if(fetched EQUAL 0)
        file(RENAME ${WORDROP_GELASIO_DIR}.part ${WORDROP_GELASIO_DIR})
        set(WORDROP_GELASIO ON)
    else()
        file(REMOVE_RECURSE ${WORDROP_GELASIO_DIR}.part)
        message(WARNING "Gelasio could not be fetched; the desktop's own will be used")
    endif()
endif()

# Adds the faces to a target as Qt resources under :/fonts, with WORDROP_GELASIO defined.
function(wordrop_bundle_gelasio target)
    if(NOT WORDROP_GELASIO)
        return()
    endif()
    set(files)
    foreach(face gelasio-latin-400-normal.ttf gelasio-latin-700-normal.ttf)
        set_source_files_properties(${WORDROP_GELASIO_DIR}/${face} PROPERTIES
                                    QT_RESOURCE_ALIAS ${face})
        list(APPEND files ${WORDROP_GELASIO_DIR}/${face})
    endforeach()
    qt_add_resources(${target} bundled_fonts PREFIX /fonts FILES ${files})
    target_compile_definitions(${target} PRIVATE WORDROP_GELASIO)
endfunction()
