# Run by CPack on the staged tree before it becomes the package: adds the copyright file
# and the Debian changelog, compresses what Debian keeps compressed, and strips the
# binaries as dh_strip does, as the Debian tools would for a package built from source.
set(tree ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
set(documents ${tree}/share/doc/${CPACK_PACKAGE_NAME})

function(run)
    execute_process(COMMAND ${ARGN} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

# -n keeps the name and time out of the archive, so the same tree gives the same bytes.
function(compress_in_place file)
    run(gzip -9nf ${file})
endfunction()

file(MAKE_DIRECTORY ${documents})
file(COPY_FILE ${CPACK_TONZUG_COPYRIGHT} ${documents}/copyright)
file(COPY_FILE ${CPACK_TONZUG_CHANGELOG} ${documents}/changelog.Debian)
compress_in_place(${documents}/changelog.Debian)
file(MAKE_DIRECTORY ${tree}/share/lintian/overrides)
file(COPY_FILE ${CPACK_TONZUG_LINTIAN_OVERRIDES} ${tree}/share/lintian/overrides/${CPACK_PACKAGE_NAME})

file(GLOB manual_pages ${tree}/share/man/man*/*)
foreach(page ${manual_pages})
    compress_in_place(${page})
endforeach()

# CPack's own stripping leaves the compiler's notes and unneeded symbols behind.
file(GLOB programs ${tree}/bin/* ${tree}/libexec/${CPACK_PACKAGE_NAME}/*)
foreach(program ${programs})
    run(strip --remove-section=.comment --remove-section=.note --strip-unneeded ${program})
endforeach()
