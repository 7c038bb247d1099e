# Installs the project into a scratch folder and checks it as a software centre reads
# it: the metadata, the launcher it names and the icon, under their installed names.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                OUTPUT_QUIET RESULT_VARIABLE installed)
if(NOT installed EQUAL 0)
    message(FATAL_ERROR "installing into ${PREFIX} failed")
endif()
foreach(expected
        share/applications/${APP_ID}.desktop
        share/metainfo/${APP_ID}.metainfo.xml
        share/icons/hicolor/scalable/apps/${APP_ID}.svg)
    if(NOT EXISTS ${PREFIX}/${expected})
        message(FATAL_ERROR "not installed: ${expected}")
    endif()
endforeach()
execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net ${PREFIX} RESULT_VARIABLE valid)
if(NOT valid EQUAL 0)
    message(FATAL_ERROR "the installed tree does not validate")
endif()
