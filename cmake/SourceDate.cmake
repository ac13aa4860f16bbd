# SPDX-License-Identifier: MIT
# One date for everything a build writes that carries a date, so that two builds of the same
# source are the same bit for bit: SOURCE_DATE_EPOCH where the environment sets it, as a
# distribution's build does; else the last commit's, from git in a clone or, in a release
# tarball, from the stamp that `git archive` writes into cmake/source-date.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(WORDROP_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
    file(STRINGS ${CMAKE_SOURCE_DIR}/cmake/source-date stamp REGEX "^[0-9]+$")
    find_package(Git QUIET)
    if(stamp)
        set(WORDROP_SOURCE_DATE_EPOCH ${stamp})
    elseif(GIT_FOUND AND EXISTS ${CMAKE_SOURCE_DIR}/.git)
        execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
                        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                        OUTPUT_VARIABLE WORDROP_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE)
    endif()
endif()
if(NOT WORDROP_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    message(FATAL_ERROR "No date for the build: set SOURCE_DATE_EPOCH (seconds since 1970)")
endif()
set(ENV{SOURCE_DATE_EPOCH} ${WORDROP_SOURCE_DATE_EPOCH})

# The tools that the build runs take it from their environment: Qt's rcc for the times of
# the resources it embeds, CPack for the times in the package's archives.
set_property(GLOBAL PROPERTY RULE_LAUNCH_CUSTOM
             "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${WORDROP_SOURCE_DATE_EPOCH}")

# Nor does the program name the folders it was built in: debug information and __FILE__
# give paths from the top of the source and of the build (the latter, given last, wins
# where the build is inside the source).
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=.)
