# Run by CPack after it built the Debian package. CPack gives any package with a shared object
# under /usr/lib/<folder> maintainer scripts that run ldconfig. The sound module in the program
# folder is loaded by path, and ldconfig never looks in that folder, so the calls only cost time
# at every install and removal (lintian: maintscript-calls-ldconfig). The package ships no
# maintainer scripts of its own, so the two CPack wrote are dropped and the package rebuilt.
find_program(dpkg_deb dpkg-deb REQUIRED)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "\\.deb$")
        continue()
    endif()
    set(tree "${package}.tree")
    file(REMOVE_RECURSE "${tree}")
    execute_process(COMMAND ${dpkg_deb} --raw-extract "${package}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)
    if(EXISTS "${tree}/DEBIAN/postinst" OR EXISTS "${tree}/DEBIAN/postrm")
        file(REMOVE "${tree}/DEBIAN/postinst" "${tree}/DEBIAN/postrm")
        execute_process(COMMAND ${dpkg_deb} --root-owner-group -Zgzip --build "${tree}" "${package}"
                        OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    endif()
    file(REMOVE_RECURSE "${tree}")
endforeach()
