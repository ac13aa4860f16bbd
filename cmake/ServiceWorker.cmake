# SPDX-License-Identifier: MIT
# Writes SITE/sw.js from TEMPLATE: the page's FILES with the SHA-256 of each, and a cache
# name made from their contents. Run with cmake -P.
set(digests "")
set(names "")
foreach(file IN LISTS FILES)
    file(SHA256 ${SITE}/${file} digest)
    string(APPEND digests "${file} ${digest}\n")
    string(APPEND names "\"${file}\": \"${digest}\", ")
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING ${version} 0 16 version)
string(REGEX REPLACE ", $" "" names "${names}")
file(READ ${TEMPLATE} worker)
string(REPLACE "\"@WORDROP_CACHE@\"" "\"wordrop-${version}\"" worker "${worker}")
string(REPLACE "{ \"@WORDROP_FILES@\": \"\" }" "{ ${names} }" worker "${worker}")
file(WRITE ${SITE}/sw.js "${worker}")
