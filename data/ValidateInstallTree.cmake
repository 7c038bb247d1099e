# Installs the project into a scratch folder and checks it as a desktop and a software
# centre read it: the metadata, the launcher it names, the icon and the file type of
# parameter files, under their installed names; and the manual page.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                OUTPUT_QUIET RESULT_VARIABLE installed)
if(NOT installed EQUAL 0)
    message(FATAL_ERROR "installing into ${PREFIX} failed")
endif()
set(manual_page ${PREFIX}/share/man/man1/tonzug.1)
foreach(expected
        bin/tonzug
        share/applications/${APP_ID}.desktop
        share/metainfo/${APP_ID}.metainfo.xml
        share/icons/hicolor/scalable/apps/${APP_ID}.svg
        share/mime/packages/${APP_ID}.xml
        share/man/man1/tonzug.1)
    if(NOT EXISTS ${PREFIX}/${expected})
        message(FATAL_ERROR "not installed: ${expected}")
    endif()
endforeach()

function(expect_success what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                    ERROR_VARIABLE errors)
    if(NOT result EQUAL 0 OR NOT errors STREQUAL "")
        message(FATAL_ERROR "${what} fails:\n${output}${errors}")
    endif()
endfunction()

expect_success("appstreamcli validate-tree" ${APPSTREAMCLI} validate-tree --no-net ${PREFIX})
expect_success("desktop-file-validate"
               ${DESKTOP_FILE_VALIDATE} ${PREFIX}/share/applications/${APP_ID}.desktop)

# update-mime-database reports a broken package only in words, so judge what it built.
execute_process(COMMAND ${UPDATE_MIME_DATABASE} ${PREFIX}/share/mime
                OUTPUT_QUIET ERROR_VARIABLE mime_errors)
file(READ ${PREFIX}/share/mime/globs2 globs)
file(STRINGS ${PREFIX}/share/mime/magic magic)
if(NOT globs MATCHES "application/x-tonzug:\\*\\.tzg" OR NOT magic MATCHES "\\[LAST\\]"
   OR NOT EXISTS ${PREFIX}/share/mime/application/x-tonzug.xml)
    message(FATAL_ERROR "the file type of parameter files is not registered:\n${mime_errors}")
endif()

# The manual page renders without a warning and describes every option that --help does.
expect_success("groff on the manual page" ${GROFF} -man -Tutf8 -ww -z ${manual_page})
execute_process(COMMAND ${PREFIX}/bin/tonzug --help OUTPUT_VARIABLE help)
file(READ ${manual_page} manual)
string(REPLACE "\\-" "-" manual "${manual}")
string(REGEX MATCHALL "--[a-z]+" options "${help}")
list(REMOVE_DUPLICATES options)
foreach(option ${options})
    string(FIND "${manual}" "${option}" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "the manual page does not describe ${option}")
    endif()
endforeach()
