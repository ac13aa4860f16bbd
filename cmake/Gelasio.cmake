# SPDX-License-Identifier: MIT
# Gelasio, Georgia's free stand-in, which Debian does not package, goes inside the program so
# that it draws the same on every machine. Its two faces and their licence (the OFL) are in
# data/fonts: the TrueType files unpacked from the WOFF2 files of the npm package
# @fontsource/gelasio ${WORDROP_GELASIO_VERSION}, so no build fetches anything.
set(WORDROP_GELASIO_VERSION 5.3.0)
set(WORDROP_GELASIO_DIR ${CMAKE_SOURCE_DIR}/data/fonts)
set(WORDROP_GELASIO_FACES gelasio-latin-400-normal.ttf gelasio-latin-700-normal.ttf)

# Adds the faces to a target as Qt resources under :/fonts, with WORDROP_GELASIO defined.
function(wordrop_bundle_gelasio target)
    set(files)
    foreach(face IN LISTS WORDROP_GELASIO_FACES)
        set_source_files_properties(${WORDROP_GELASIO_DIR}/${face} PROPERTIES
                                    QT_RESOURCE_ALIAS ${face})
        list(APPEND files ${WORDROP_GELASIO_DIR}/${face})
    endforeach()
    qt_add_resources(${target} bundled_fonts PREFIX /fonts FILES ${files})
    target_compile_definitions(${target} PRIVATE WORDROP_GELASIO)
endfunction()
