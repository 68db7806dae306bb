# CPack installs the project into its staging folder through the build's own
# install rules, and so rewrites the build's install_manifest.txt with the
# package's paths under /usr; `make uninstall` would then take the package's
# files for the last `make install`. CPack runs this script before that install
# (KEEP_MANIFEST=save) and after it (KEEP_MANIFEST=restore), to put back the
# manifest of the last real install, or none if there was none.
set(manifest "${ALMANIS_BUILD_DIR}/install_manifest.txt")
set(kept "${ALMANIS_BUILD_DIR}/install_manifest.txt.kept")
set(none "${ALMANIS_BUILD_DIR}/install_manifest.txt.none")
if(KEEP_MANIFEST STREQUAL "save")
    file(REMOVE "${kept}" "${none}")
    if(EXISTS "${manifest}")
        file(RENAME "${manifest}" "${kept}")
    else()
        file(TOUCH "${none}")
    endif()
elseif(KEEP_MANIFEST STREQUAL "restore")
    if(EXISTS "${kept}")
        file(RENAME "${kept}" "${manifest}")
    elseif(EXISTS "${none}")
        file(REMOVE "${manifest}" "${none}")
    endif()
endif()
