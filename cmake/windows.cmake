# The Windows build (MinGW-w64 from Linux): the DLLs and the command line
# programs, the runtimes linked in, and the libraries Debian has no MinGW build
# of taken from the build folder, where scripts/windows-third-party.sh built
# them. The desktop programs come only with KESZIP_WINDOWS_GUI, against the
# static Qt that scripts/windows-qt.sh builds into the build folder.
option(KESZIP_WINDOWS_GUI "Build zelko7's desktop program and zelko7-setup against the static Qt" OFF)
set(KESZIP_WINDOWS_QT "${CMAKE_BINARY_DIR}/third-party/qt/prefix" CACHE PATH
    "Qt (Core, Gui, Widgets) built for this target")
if(KESZIP_WINDOWS_GUI)
    if(NOT EXISTS "${KESZIP_WINDOWS_QT}/lib/cmake/Qt6/Qt6Config.cmake")
        message(FATAL_ERROR "No Qt in ${KESZIP_WINDOWS_QT}: run scripts/windows-qt.sh "
                "${CMAKE_BINARY_DIR} first (make windows-gui does).")
    endif()
    set(KESZIP_GUI ON CACHE BOOL "The desktop programs against the Qt of the build folder" FORCE)
    # The Qt of the target is found in the build folder; its moc, rcc and uic
    # are the host's, of the same version.
    list(APPEND CMAKE_FIND_ROOT_PATH "${KESZIP_WINDOWS_QT}")
    list(APPEND CMAKE_PREFIX_PATH "${KESZIP_WINDOWS_QT}")
    set(QT_HOST_PATH /usr CACHE PATH "The host Qt, whose tools build for the target")
else()
    set(KESZIP_GUI OFF CACHE BOOL "No Qt for the Windows build" FORCE)
endif()
set(KESZIP_WINDOWS_DEPS "${CMAKE_BINARY_DIR}/third-party/prefix" CACHE PATH
    "Static libzip, expat and SQLite built for this target")
# The DLLs alone (keszip, kesbar, Custom) and the caller that loads them need
# none of these libraries: a build of only those can go without them.
option(KESZIP_WINDOWS_DLLS_ONLY "Build folder for the DLLs alone, without the static libraries" OFF)
if(NOT EXISTS "${KESZIP_WINDOWS_DEPS}/lib/libzip.a" AND NOT KESZIP_WINDOWS_DLLS_ONLY)
    message(FATAL_ERROR "No static libraries in ${KESZIP_WINDOWS_DEPS}: run "
            "scripts/windows-third-party.sh <triplet> ${CMAKE_BINARY_DIR} first (make windows does).")
endif()

# Unicode entry points, Windows Vista and later.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
# A program or DLL copied alone still starts: no libstdc++-6.dll, libgcc or
# libwinpthread beside it.
add_link_options(-static -static-libgcc -static-libstdc++)
set(CMAKE_SHARED_LIBRARY_PREFIX "")
set(CMAKE_IMPORT_LIBRARY_PREFIX "")
set(CMAKE_STATIC_LIBRARY_PREFIX "lib")

# The exports under their plain names ("zelko7", not "zelko7@12"), as
# GetProcAddress and macro declarations take them, with the decorated names
# as aliases so that C callers still link through the import library.
function(keszip_windows_exports target)
    set_target_properties(${target} PROPERTIES PREFIX "" IMPORT_PREFIX "")
    target_link_options(${target} PRIVATE -Wl,--kill-at -Wl,--add-stdcall-alias
                        "-Wl,--output-def,${KESZIP_BIN_DIR}/${target}.def")
endfunction()

set(deps "${KESZIP_WINDOWS_DEPS}")
# (An imported target may not name a missing folder, even one nothing uses.)
file(MAKE_DIRECTORY "${deps}/include")
add_library(PkgConfig::LIBZIP INTERFACE IMPORTED)
set_target_properties(PkgConfig::LIBZIP PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${deps}/include"
    INTERFACE_COMPILE_DEFINITIONS ZIP_STATIC
    INTERFACE_LINK_LIBRARIES "${deps}/lib/libzip.a;${deps}/lib/libz.a;bcrypt;advapi32")
add_library(EXPAT::EXPAT INTERFACE IMPORTED)
set_target_properties(EXPAT::EXPAT PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${deps}/include"
    INTERFACE_COMPILE_DEFINITIONS XML_STATIC
    INTERFACE_LINK_LIBRARIES "${deps}/lib/libexpat.a")
add_library(SQLite::SQLite3 INTERFACE IMPORTED)
set_target_properties(SQLite::SQLite3 PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${deps}/include"
    INTERFACE_LINK_LIBRARIES "${deps}/lib/libsqlite3.a")
# ODBC through Windows' own driver manager.
add_library(PkgConfig::ODBC INTERFACE IMPORTED)
set_target_properties(PkgConfig::ODBC PROPERTIES INTERFACE_LINK_LIBRARIES "odbc32")

# Header-only CLI11 from the host, seen through a folder of its own so that
# no other host header reaches the cross compiler.
file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/host-headers")
file(CREATE_LINK /usr/include/CLI "${CMAKE_BINARY_DIR}/host-headers/CLI" SYMBOLIC)
add_library(CLI11::CLI11 INTERFACE IMPORTED)
set_target_properties(CLI11::CLI11 PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${CMAKE_BINARY_DIR}/host-headers")

# GoogleTest from Debian's sources, built for this target.
if(KESZIP_TESTS)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
    foreach(library gtest gtest_main gmock)
        if(NOT TARGET GTest::${library})
            add_library(GTest::${library} ALIAS ${library})
        endif()
    endforeach()
endif()
