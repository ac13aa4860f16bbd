# SPDX-License-Identifier: MIT
# `make package`: a Debian package made by CPack from the install rules. CPack rather than
# a debian/ folder, because the install rules already say where every file goes: a second
# list of them for debhelper would only drift from the first.
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/${PROJECT_NAME})
set(package_dir ${CMAKE_BINARY_DIR}/debian-docs)

# A Debian copyright file quotes each licence in full, one space in, "." for empty lines.
function(quote_licence file out_var)
    file(STRINGS ${file} lines)
    set(text "")
    foreach(line IN LISTS lines)
        if(line STREQUAL "")
            string(APPEND text " .\n")
        else()
            string(APPEND text " ${line}\n")
        endif()
    endforeach()
    string(REGEX REPLACE "\n$" "" text "${text}")
    set(${out_var} "${text}" PARENT_SCOPE)
endfunction()
quote_licence(${CMAKE_SOURCE_DIR}/LICENSE EXPAT_TEXT)
# Gelasio's licence is there only where the program carries it.
set(GELASIO_FILES "")
set(GELASIO_LICENSE "")
if(WORDROP_BUNDLED_GELASIO)
    quote_licence(${WORDROP_GELASIO_DIR}/OFL.txt OFL_TEXT)
    set(GELASIO_FILES "Files: gelasio-latin-400-normal.ttf gelasio-latin-700-normal.ttf
Copyright: 2022 The Gelasio Project Authors (https://github.com/SorkinType/Gelasio)
License: OFL-1.1
Comment: Carried inside /usr/games/wordrop as Qt resources. In the source as
 data/fonts/*.ttf: the WOFF2 files of the npm package @fontsource/gelasio
 ${WORDROP_GELASIO_VERSION}, unpacked to TrueType with woff2_decompress.

")
    set(GELASIO_LICENSE "\n\nLicense: OFL-1.1\n${OFL_TEXT}")
endif()
configure_file(${CMAKE_SOURCE_DIR}/packaging/copyright.in ${package_dir}/copyright @ONLY)

set(WORDROP_MAINTAINER "The Wordrop developers <wordrop@example.org>" CACHE STRING
    "The package's Maintainer field")
# The changelog is NEWS's, written when the build is configured.
wordrop_write_debian_changelog(${package_dir}/changelog ${WORDROP_MAINTAINER})

# Debian compresses changelogs and manual pages, without a timestamp.
find_program(GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${package_dir}/changelog.gz
    COMMAND ${GZIP} -9nc ${package_dir}/changelog > ${package_dir}/changelog.gz
    DEPENDS ${package_dir}/changelog VERBATIM)
add_custom_command(OUTPUT ${package_dir}/wordrop.6.gz
    COMMAND ${GZIP} -9nc ${WORDROP_MAN_PAGE} > ${package_dir}/wordrop.6.gz
    DEPENDS ${WORDROP_MAN_PAGE} VERBATIM)
add_custom_target(wordrop_debian_docs ALL
    DEPENDS ${package_dir}/changelog.gz ${package_dir}/wordrop.6.gz)
install(FILES ${package_dir}/copyright ${package_dir}/changelog.gz DESTINATION ${doc_dir})
install(FILES ${package_dir}/wordrop.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${WORDROP_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "letter-guessing game in one window")
# CPack puts the summary first and indents this under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Click the window to start, type a letter and press Ok. Right letters appear
above their blanks; each wrong one is listed down the left edge and adds a
piece to the figure under the gallows. Guess the whole word before the ninth
wrong guess.

It plays by mouse or by keyboard alone, and tells a screen reader what each
guess changed.")
# The libraries come from the binary itself; the faces that Qt looks for by name do not.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-ebgaramond, fonts-comic-neue, qt6-qpa-plugins")
if(WORDROP_SYSTEM_GELASIO AND WORDROP_GELASIO_PACKAGE)
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", ${WORDROP_GELASIO_PACKAGE}")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_STRIP_FILES ON)
if(WORDROP_HOMEPAGE)
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${WORDROP_HOMEPAGE})
endif()
# CPack's strip keeps the compilers' .comment notes, which dh_strip would remove.
add_custom_command(TARGET wordrop POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment $<TARGET_FILE:wordrop> VERBATIM)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# The source release is `make dist`, the committed tree from git archive. CPack's own
# source package would pack the build folders too, so its configuration goes where no
# package_source target is made from it.
set(CPACK_SOURCE_OUTPUT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CPackSourceConfig.unused.cmake)
include(CPack)
