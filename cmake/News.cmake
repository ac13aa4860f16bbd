# SPDX-License-Identifier: MIT
# NEWS is the one account of what each version changed. Each entry is a line
# "VERSION (YYYY-MM-DD)" and its items, "  * " then text, continued on lines indented by
# four spaces. From it come the metainfo's releases, the manual page's date and the Debian
# changelog; its newest entry must be this version.
set(news ${CMAKE_SOURCE_DIR}/NEWS)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${news})
file(READ ${news} news_text)
if(news_text MATCHES "[][;\\]")
    message(FATAL_ERROR "NEWS: no semicolons, brackets or backslashes, which CMake's lists split on")
endif()
file(STRINGS ${news} news_lines)
set(WORDROP_NEWS_VERSIONS)
foreach(line IN LISTS news_lines)
    if(line MATCHES "^([0-9]+\\.[0-9]+\\.[0-9]+) \\(([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9])\\)$")
        set(version ${CMAKE_MATCH_1})
        list(APPEND WORDROP_NEWS_VERSIONS ${version})
        set(news_date_${version} ${CMAKE_MATCH_2})
        set(news_items_${version} 0)
        set(news_lines_${version} "")
    elseif(line MATCHES "^  \\* (.+)$" AND version)
        math(EXPR item "${news_items_${version}} + 1")
        set(news_items_${version} ${item})
        set(news_item_${version}_${item} "${CMAKE_MATCH_1}")
        string(APPEND news_lines_${version} "${line}\n")
    elseif(line MATCHES "^    (.+)$" AND version AND news_items_${version})
        string(APPEND news_item_${version}_${item} " ${CMAKE_MATCH_1}")
        string(APPEND news_lines_${version} "${line}\n")
    elseif(version AND NOT line STREQUAL "")
        message(FATAL_ERROR "NEWS: neither an entry nor an item under ${version}: '${line}'")
    endif()
endforeach()
foreach(version IN LISTS WORDROP_NEWS_VERSIONS)
    if(news_items_${version} EQUAL 0)
        message(FATAL_ERROR "NEWS: ${version} tells no change")
    endif()
endforeach()
list(GET WORDROP_NEWS_VERSIONS 0 newest)
if(NOT newest STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "NEWS's newest entry is ${newest} but the project's version is "
                        "${PROJECT_VERSION}: a new version has its entry in NEWS")
endif()
set(WORDROP_RELEASE_DATE ${news_date_${newest}})

# The metainfo's <releases>: each item a list entry, its text escaped for XML.
set(WORDROP_RELEASES_XML "")
foreach(version IN LISTS WORDROP_NEWS_VERSIONS)
    string(APPEND WORDROP_RELEASES_XML
           "    <release version=\"${version}\" date=\"${news_date_${version}}\">\n"
           "      <description>\n        <ul>\n")
    foreach(item RANGE 1 ${news_items_${version}})
        set(text "${news_item_${version}_${item}}")
        string(REPLACE "&" "&amp;" text "${text}")
        string(REPLACE "<" "&lt;" text "${text}")
        string(REPLACE ">" "&gt;" text "${text}")
        string(APPEND WORDROP_RELEASES_XML "          <li>${text}</li>\n")
    endforeach()
    string(APPEND WORDROP_RELEASES_XML "        </ul>\n      </description>\n    </release>\n")
endforeach()
string(REGEX REPLACE "\n$" "" WORDROP_RELEASES_XML "${WORDROP_RELEASES_XML}")

# Writes the Debian changelog: NEWS's items as they are wrapped there, each entry signed
# by MAINTAINER at noon UTC on its day.
function(wordrop_write_debian_changelog out maintainer)
    set(text "")
    foreach(version IN LISTS WORDROP_NEWS_VERSIONS)
        execute_process(COMMAND date -u -R -d "${news_date_${version}} 12:00"
                        OUTPUT_VARIABLE when OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
        string(APPEND text "${PROJECT_NAME} (${version}) unstable; urgency=medium\n\n")
        string(APPEND text "${news_lines_${version}}\n -- ${maintainer}  ${when}\n\n")
    endforeach()
    string(REGEX REPLACE "\n\n$" "\n" text "${text}")
    file(WRITE ${out} "${text}")
endfunction()
