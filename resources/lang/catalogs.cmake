# The catalogs: every text the sources mark (N_, Tr, TrArgs) listed in a
# template by xgettext, each translator's .po turned into the JSON catalog
# both editions load, the pseudo-language made from the template, and the
# list of languages the menus offer. A language is one file here:
# resources/lang/<code>.po. Sets TESSALINE_CATALOG_DIR, TESSALINE_CATALOG_JSON
# (the built files) and TESSALINE_CATALOG_POT.
find_program(TESSALINE_XGETTEXT xgettext REQUIRED)
find_program(TESSALINE_PYTHON python3 REQUIRED)
set(TESSALINE_LANG_SOURCE ${CMAKE_CURRENT_LIST_DIR})
set(TESSALINE_TOP ${TESSALINE_LANG_SOURCE}/../..)
set(TESSALINE_CATALOG_DIR ${CMAKE_BINARY_DIR}/lang)
# At configure time: the list of languages may be written before the template.
file(MAKE_DIRECTORY ${TESSALINE_CATALOG_DIR})
file(GLOB TESSALINE_CATALOG_PO CONFIGURE_DEPENDS ${TESSALINE_LANG_SOURCE}/*.po)
file(GLOB TESSALINE_TEXT_SOURCES CONFIGURE_DEPENDS
    ${TESSALINE_TOP}/language/*.[ch]* ${TESSALINE_TOP}/model/*.[ch]* ${TESSALINE_TOP}/stimulus/*.[ch]*
    ${TESSALINE_TOP}/render/*.[ch]* ${TESSALINE_TOP}/sim/*.[ch]* ${TESSALINE_TOP}/tuning/*.[ch]*
    ${TESSALINE_TOP}/recording/*.[ch]* ${TESSALINE_TOP}/mapping/*.[ch]* ${TESSALINE_TOP}/formats/*.[ch]*
    ${TESSALINE_TOP}/controls/*.[ch]* ${TESSALINE_TOP}/resources/*.[ch]* ${TESSALINE_TOP}/app/*.[ch]*
    ${TESSALINE_TOP}/dialogs/*.[ch]* ${TESSALINE_TOP}/web/*.cpp ${TESSALINE_TOP}/web/*.h)
list(SORT TESSALINE_TEXT_SOURCES)
set(TESSALINE_CATALOG_POT ${TESSALINE_CATALOG_DIR}/tessaline.pot)
# No --omit-header: without the header's charset xgettext writes ASCII and
# drops every non-ASCII character of a text ("Open lesson…" became "Open
# lesson", "°" vanished); the header is the one entry with an empty msgid,
# which po_to_json.py skips.
add_custom_command(OUTPUT ${TESSALINE_CATALOG_POT}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TESSALINE_CATALOG_DIR}
    COMMAND ${TESSALINE_XGETTEXT} --language=C++ --from-code=UTF-8 --keyword=N_ --keyword=Tr --keyword=TrArgs:1
            --no-location --sort-output --no-wrap --force-po
            -o ${TESSALINE_CATALOG_POT} ${TESSALINE_TEXT_SOURCES}
    DEPENDS ${TESSALINE_TEXT_SOURCES} VERBATIM)
set(TESSALINE_PO_TO_JSON ${TESSALINE_TOP}/scripts/po_to_json.py)
set(TESSALINE_CATALOG_JSON ${TESSALINE_CATALOG_DIR}/qps.json ${TESSALINE_CATALOG_DIR}/languages.json)
add_custom_command(OUTPUT ${TESSALINE_CATALOG_DIR}/qps.json
    COMMAND ${TESSALINE_PYTHON} ${TESSALINE_PO_TO_JSON} pseudo ${TESSALINE_CATALOG_POT} ${TESSALINE_CATALOG_DIR}/qps.json
    DEPENDS ${TESSALINE_CATALOG_POT} ${TESSALINE_PO_TO_JSON} VERBATIM)
add_custom_command(OUTPUT ${TESSALINE_CATALOG_DIR}/languages.json
    COMMAND ${TESSALINE_PYTHON} ${TESSALINE_PO_TO_JSON} index ${TESSALINE_CATALOG_DIR}/languages.json
            ${TESSALINE_CATALOG_PO}
    DEPENDS ${TESSALINE_CATALOG_PO} ${TESSALINE_PO_TO_JSON} VERBATIM)
foreach(po ${TESSALINE_CATALOG_PO})
    get_filename_component(code ${po} NAME_WE)
    set(json ${TESSALINE_CATALOG_DIR}/${code}.json)
    add_custom_command(OUTPUT ${json}
        COMMAND ${TESSALINE_PYTHON} ${TESSALINE_PO_TO_JSON} build ${po} ${json}
        DEPENDS ${po} ${TESSALINE_PO_TO_JSON} VERBATIM)
    list(APPEND TESSALINE_CATALOG_JSON ${json})
endforeach()
add_custom_target(tessaline_catalogs ALL DEPENDS ${TESSALINE_CATALOG_JSON})
