# Installation and packages (`make package`: a Debian package and a .tar.gz).
# Programs go to bin/, libraries to the library folder, the public headers to
# include/, the dictionaries to share/keszip/, the HTML manual to
# share/doc/zelko7/manual/, manual pages to share/man/man1, the desktop
# entry and icon to share/applications and share/icons; keszip.pc and a KesZip package file let other
# projects find the engine with pkg-config or find_package(KesZip). Every
# path inside the tree is relative, so an unpacked copy works wherever it lies.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

file(RELATIVE_PATH KESZIP_LIBRARIES_FROM_PROGRAMS "/${CMAKE_INSTALL_BINDIR}"
     "/${CMAKE_INSTALL_LIBDIR}")
file(RELATIVE_PATH KESZIP_DATA_FROM_LIBRARIES "/${CMAKE_INSTALL_LIBDIR}"
     "/${CMAKE_INSTALL_DATADIR}/keszip")
set(KESZIP_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/keszip")

# The engine's last place to look for its dictionaries: the data folder of
# the tree it is installed in.
target_compile_definitions(keszip_core PRIVATE
    KESZIP_DATA_FROM_LIBRARY="${KESZIP_DATA_FROM_LIBRARIES}")

# Programs: whichever of them this build has.
foreach(program keszip-cli keszip-mkdic zelko7 zelko7-setup)
    if(TARGET ${program})
        set_target_properties(${program} PROPERTIES
            INSTALL_RPATH "$ORIGIN/${KESZIP_LIBRARIES_FROM_PROGRAMS};$ORIGIN")
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()
foreach(library keszip kesbar custom)
    if(TARGET ${library})
        set_target_properties(${library} PROPERTIES INSTALL_RPATH "$ORIGIN")
        install(TARGETS ${library} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
                                   RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()
install(FILES engine/include/keszip.h barcode/include/kesbar.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
if(TARGET custom)
    install(FILES setup-helper/include/custom.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
endif()
# Missing without Japan Post's data: the package then has no dictionaries.
install(FILES ${KESZIP_DIC_OUTPUTS} DESTINATION ${KESZIP_INSTALL_DATADIR} OPTIONAL)
if(EXISTS "${CMAKE_SOURCE_DIR}/converter/resources/manual")
    install(DIRECTORY converter/resources/manual/
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zelko7/manual)
endif()
# What a Debian package carries beside its programs: the copyright and
# changelog in share/doc/keszip, the desktop program's menu entry and icon,
# and a manual page per program, made from its --help with help2man.
install(FILES cmake/desktop/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/keszip)
set(KESZIP_CHANGELOG "${CMAKE_BINARY_DIR}/packaging/changelog.gz")
string(TIMESTAMP KESZIP_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE "${CMAKE_BINARY_DIR}/packaging/changelog"
     "keszip (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
     "  * Release ${PROJECT_VERSION}.\n\n"
     " -- The KesZip Project <support@keszip.example>  ${KESZIP_CHANGELOG_DATE}\n")
add_custom_command(OUTPUT "${KESZIP_CHANGELOG}"
    COMMAND gzip -9nf -k "${CMAKE_BINARY_DIR}/packaging/changelog"
    DEPENDS "${CMAKE_BINARY_DIR}/packaging/changelog" VERBATIM)
set(KESZIP_PACKAGE_EXTRAS "${KESZIP_CHANGELOG}")
install(FILES "${KESZIP_CHANGELOG}" DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/keszip)
if(TARGET zelko7_gui)
    install(FILES cmake/desktop/zelko7.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES converter/resources/images/icon144.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps RENAME zelko7.png)
endif()
find_program(KESZIP_HELP2MAN help2man)
if(KESZIP_HELP2MAN)
    set(man_sections keszip "the postal-code engine's questions from the command line"
                     keszip-mkdic "build the postal-code dictionaries"
                     zelko7 "postal codes for address lists"
                     zelko7-setup "install the desktop program into a folder")
    set(man_targets keszip-cli keszip-mkdic zelko7 zelko7-setup)
    list(LENGTH man_targets man_count)
    math(EXPR man_last "${man_count} - 1")
    foreach(i RANGE ${man_last})
        list(GET man_targets ${i} target)
        math(EXPR name_at "${i} * 2")
        math(EXPR summary_at "${i} * 2 + 1")
        list(GET man_sections ${name_at} program)
        list(GET man_sections ${summary_at} summary)
        if(NOT TARGET ${target})
            continue()
        endif()
        set(page "${CMAKE_BINARY_DIR}/man/${program}.1")
        # Run by name from the program folder, so that the page shows the
        # name and not the build tree's path.
        add_custom_command(OUTPUT "${page}.gz"
            COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/man"
            COMMAND ${CMAKE_COMMAND} -E env "PATH=${KESZIP_BIN_DIR}:$ENV{PATH}"
                    QT_QPA_PLATFORM=offscreen
                    ${KESZIP_HELP2MAN} --no-info --no-discard-stderr
                    "--version-string=${PROJECT_VERSION}" "--name=${summary}"
                    "--output=${page}" ${program}
            COMMAND gzip -9nf "${page}"
            DEPENDS ${target} VERBATIM)
        list(APPEND KESZIP_PACKAGE_EXTRAS "${page}.gz")
        install(FILES "${page}.gz" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endforeach()
else()
    message(WARNING "help2man not found: the packages will have no manual pages")
endif()
add_custom_target(package_extras ALL DEPENDS ${KESZIP_PACKAGE_EXTRAS})

configure_file(cmake/keszip.pc.in "${CMAKE_BINARY_DIR}/keszip.pc" @ONLY)
install(FILES "${CMAKE_BINARY_DIR}/keszip.pc" DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
set(KESZIP_CONFIG_DIR "${CMAKE_INSTALL_LIBDIR}/cmake/KesZip")
configure_package_config_file(cmake/KesZipConfig.cmake.in
    "${CMAKE_BINARY_DIR}/KesZipConfig.cmake" INSTALL_DESTINATION ${KESZIP_CONFIG_DIR}
    PATH_VARS CMAKE_INSTALL_INCLUDEDIR CMAKE_INSTALL_LIBDIR)
write_basic_package_version_file("${CMAKE_BINARY_DIR}/KesZipConfigVersion.cmake"
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES "${CMAKE_BINARY_DIR}/KesZipConfig.cmake"
              "${CMAKE_BINARY_DIR}/KesZipConfigVersion.cmake"
        DESTINATION ${KESZIP_CONFIG_DIR})

set(CPACK_GENERATOR "DEB;TGZ")
set(CPACK_PACKAGE_NAME "keszip")
set(CPACK_PACKAGE_VENDOR "The KesZip Project")
set(CPACK_PACKAGE_CONTACT "The KesZip Project <support@keszip.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Japanese postal codes: the KesZip engine, KesBar, the keszip and zelko7 programs")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/packages")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "misc")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_PACKAGE_DESCRIPTION
    "The KesZip engine assigns Japanese postal codes to addresses. The package\n"
    "holds the engine and KesBar libraries, the keszip command, the zelko7\n"
    "desktop program and its setup program, the dictionaries and the manual.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET keszip_python)
    # The Python module is for the system's Python 3.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "python3")
endif()
# The libraries in the library folder: the loader's cache is refreshed by
# dpkg's ldconfig trigger.
file(WRITE "${CMAKE_BINARY_DIR}/packaging/triggers" "activate-noawait ldconfig\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${CMAKE_BINARY_DIR}/packaging/triggers")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
# The package's own libraries are found through their relative run paths.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${KESZIP_BIN_DIR}")
# Quick to build; the dictionaries compress well either way.
set(CPACK_DEBIAN_COMPRESSION_TYPE "gzip")
# The packages carry no debugging information: smaller and quicker to build.
set(CPACK_STRIP_FILES TRUE)
include(CPack)
