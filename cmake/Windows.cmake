# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# The Windows program as users get it, from the MinGW-w64 build: a portable folder with the
# program and the DLLs it loads, its zip, and a per-user installer. When the build runs on
# Linux (scripts/windows), the tests and the programs run under Wine.

set(ddv_package_name ddvelmor-${PROJECT_VERSION}-win64)
set(DDV_PORTABLE_DIR ${CMAKE_BINARY_DIR}/windows/${ddv_package_name})
set(DDV_WINDOWS_ZIP ${CMAKE_BINARY_DIR}/${ddv_package_name}.zip)
set(DDV_WINDOWS_INSTALLER ${CMAKE_BINARY_DIR}/${ddv_package_name}-setup.exe)

# The C++ runtime of the tool chain, which the program and the Qt DLLs link against.
set(ddv_runtime_dlls)
foreach(dll libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
    endif()
    cmake_path(NORMAL_PATH path)
    list(APPEND ddv_runtime_dlls ${path})
endforeach()

# What the program loads: the three Qt libraries, the windows platform plugin and the C++
# runtime. Fusion, the style the program sets, is part of Qt Widgets; its images are PNG,
# which Qt Gui reads without a plugin.
set(ddv_qt_dlls $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>)
set(ddv_platform_plugin $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>)

# The folder's files by their paths inside it, for stripping them and for the installer's
# list of files to remove.
set(ddv_portable_files ddvelmor.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll)
foreach(dll IN LISTS ddv_runtime_dlls)
    cmake_path(GET dll FILENAME name)
    list(APPEND ddv_portable_files ${name})
endforeach()

# The folder is made afresh from its parts, so that it holds nothing else, and stripped: the
# tool chain's runtime DLLs come with their debugging information (libstdc++ 24 MB of 26).
set(ddv_portable_stamp ${CMAKE_BINARY_DIR}/windows/portable.stamp)
list(TRANSFORM ddv_portable_files PREPEND ${DDV_PORTABLE_DIR}/ OUTPUT_VARIABLE ddv_portable_paths)
add_custom_command(OUTPUT ${ddv_portable_stamp}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${DDV_PORTABLE_DIR}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DDV_PORTABLE_DIR}/platforms
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:ddvelmor> ${ddv_qt_dlls} ${ddv_runtime_dlls}
            ${DDV_PORTABLE_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${ddv_platform_plugin} ${DDV_PORTABLE_DIR}/platforms
    COMMAND ${CMAKE_STRIP} --strip-unneeded ${ddv_portable_paths}
    COMMAND ${CMAKE_COMMAND} -E touch ${ddv_portable_stamp}
    DEPENDS ddvelmor ${ddv_qt_dlls} ${ddv_platform_plugin} ${ddv_runtime_dlls}
    COMMENT "Assembling the portable folder ${ddv_package_name}"
    VERBATIM)

add_custom_command(OUTPUT ${DDV_WINDOWS_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${DDV_WINDOWS_ZIP}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${DDV_WINDOWS_ZIP} --format=zip ${ddv_package_name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/windows
    DEPENDS ${ddv_portable_stamp}
    COMMENT "Packing ${ddv_package_name}.zip"
    VERBATIM)

# The installer's script takes the version, the icon and the file list from here.
list(JOIN DDV_VERSION_NUMBERS "." DDV_VERSION_DOTS)
set(DDV_ICON ${PROJECT_SOURCE_DIR}/app/icons/ddvelmor.ico)
set(DDV_UNINSTALL_FILES "")
foreach(file IN LISTS ddv_portable_files)
    string(REPLACE "/" "\\" file "${file}")
    string(APPEND DDV_UNINSTALL_FILES "    Delete \"$INSTDIR\\${file}\"\n")
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/app/ddvelmor.nsi.in ${CMAKE_BINARY_DIR}/windows/ddvelmor.nsi
               @ONLY)

find_program(DDV_MAKENSIS makensis REQUIRED)
add_custom_command(OUTPUT ${DDV_WINDOWS_INSTALLER}
    COMMAND ${DDV_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DPORTABLE=${DDV_PORTABLE_DIR}
            -DOUTFILE=${DDV_WINDOWS_INSTALLER} ${CMAKE_BINARY_DIR}/windows/ddvelmor.nsi
    DEPENDS ${ddv_portable_stamp} ${CMAKE_BINARY_DIR}/windows/ddvelmor.nsi ${DDV_ICON}
    COMMENT "Making the installer ${ddv_package_name}-setup.exe"
    VERBATIM)

add_custom_target(windows_packages ALL DEPENDS ${DDV_WINDOWS_ZIP} ${DDV_WINDOWS_INSTALLER})

# Under Wine: a launcher that finds the Qt DLLs and plugins and the C++ runtime where the
# build found them, in a Wine prefix of the build tree, set up on first use. Every test
# program of the build runs through it.
if(CMAKE_CROSSCOMPILING)
    find_program(DDV_WINE NAMES wine64 wine PATHS /usr/lib/wine REQUIRED)
    cmake_path(GET DDV_WINE PARENT_PATH wine_dir)
    find_program(DDV_WINESERVER wineserver PATHS ${wine_dir} NO_DEFAULT_PATH REQUIRED)
    set(wine_dirs ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
    foreach(dll IN LISTS ddv_runtime_dlls)
        cmake_path(GET dll PARENT_PATH dir)
        list(APPEND wine_dirs ${dir})
    endforeach()
    list(REMOVE_DUPLICATES wine_dirs)
    set(DDV_WINE_PATH "")
    foreach(dir IN LISTS wine_dirs)
        string(REPLACE "/" "\\" dir "${dir}")
        string(APPEND DDV_WINE_PATH "Z:${dir};")
    endforeach()
    find_path(DDV_LIBERATION_FONTS LiberationSans-Regular.ttf
              PATHS /usr/share/fonts/truetype/liberation NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    string(REPLACE "/" "\\" DDV_WINE_FONT_DIR "Z:${DDV_LIBERATION_FONTS}")
    configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
endif()
