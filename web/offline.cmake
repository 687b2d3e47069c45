# Writes SITE/offline.js from TEMPLATE: the list of the site's files (in
# the template's quotes) and a version that is the hash of their contents.
# The files the page loads only on demand (the NWB writer) go to a list of
# their own, ON_DEMAND, kept when first fetched.
file(GLOB_RECURSE files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files offline.js)
list(SORT files)
set(hashes "")
set(FILES "./")
set(ON_DEMAND "")
foreach(f ${files})
    file(SHA256 ${SITE}/${f} h)
    string(APPEND hashes "${f}:${h}\n")
    if(f MATCHES "^(h5wasm/|nwb\\.js$)")
        string(APPEND ON_DEMAND "${ON_DEMAND_SEP}./${f}")
        set(ON_DEMAND_SEP "',\n    '")
    else()
        string(APPEND FILES "',\n    './${f}")
    endif()
endforeach()
string(SHA256 VERSION "${hashes}")
string(SUBSTRING ${VERSION} 0 16 VERSION)
configure_file(${TEMPLATE} ${SITE}/offline.js @ONLY)
