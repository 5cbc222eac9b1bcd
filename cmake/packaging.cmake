# Installation and packages (`make package`: a Debian package and a .tar.gz).
# Programs go to bin/, libraries to the library folder, the public headers to
# include/, the dictionaries to share/keszip/, the HTML manual to
# share/doc/zelko7/manual/; keszip.pc and a KesZip package file let other
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
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The package's own libraries are found through their relative run paths.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${KESZIP_BIN_DIR}")
# Quick to build; the dictionaries compress well either way.
set(CPACK_DEBIAN_COMPRESSION_TYPE "gzip")
# The packages carry no debugging information: smaller and quicker to build.
set(CPACK_STRIP_FILES TRUE)
include(CPack)
