# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# The Windows program as users get it, from the MinGW-w64 build: a portable folder with the
# program and the DLLs it loads, its zip, and a per-user installer. When the build runs on
# Linux (scripts/windows), the tests and the programs run under Wine.

set(ddv_package_name ddvelmor-${PROJECT_VERSION}-win64)
set(DDV_PORTABLE_DIR ${CMAKE_BINARY_DIR}/windows/${ddv_package_name})
set(DDV_WINDOWS_ZIP ${CMAKE_BINARY_DIR}/${ddv_package_name}.zip)
set(DDV_WINDOWS_INSTALLER ${CMAKE_BINARY_DIR}/${ddv_package_name}-setup.exe)

# GNU ld sorts the program's import table by the path of each import library as the link
# names it (the PE link script keeps .idata$2 to .idata$7 sorted by archive path, then
# member), so a Qt cache whose path sorts after /usr would list KERNEL32.dll before Qt's
# DLLs. The link reaches Qt's import libraries through links in the build folder, which
# Ninja names relative to it, so that they always come after the MinGW-w64 ones under /usr,
# wherever Qt and the build are.
set(ddv_import_libraries ${CMAKE_BINARY_DIR}/windows/import-libraries)
file(MAKE_DIRECTORY ${ddv_import_libraries})
foreach(target Qt6::Core Qt6::Gui Qt6::Widgets)
    get_target_property(configurations ${target} IMPORTED_CONFIGURATIONS)
    foreach(configuration IN LISTS configurations)
        get_target_property(library ${target} IMPORTED_IMPLIB_${configuration})
        cmake_path(GET library FILENAME name)
        file(CREATE_LINK ${library} ${ddv_import_libraries}/${name} SYMBOLIC)
        set_target_properties(${target} PROPERTIES
                              IMPORTED_IMPLIB_${configuration} ${ddv_import_libraries}/${name})
    endforeach()
endforeach()

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

# What the program loads: the three Qt libraries, the windows platform plugin, Qt's Russian
# catalogue (from Qt's translations folder, which for a program with Qt6Core.dll beside it is
# its own translations folder) and the C++ runtime. Fusion, the style the program sets, is
# part of Qt Widgets; its images are PNG, which Qt Gui reads without a plugin.
# Qt 6.8 and later no longer bring their plugins' targets with Gui; the windows one is asked
# for beside it.
if(NOT TARGET Qt6::QWindowsIntegrationPlugin)
    find_package(Qt6QWindowsIntegrationPlugin REQUIRED PATHS ${Qt6Gui_DIR} NO_DEFAULT_PATH
                 NO_CMAKE_FIND_ROOT_PATH)
endif()
set(ddv_qt_dlls $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>)
set(ddv_platform_plugin $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>)
set(ddv_qt_catalogue ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}/qtbase_ru.qm)
# scripts/windows copies it into the Qt prefix from Debian's package of Qt's translations.
set(ddv_qt_catalogue_origin /usr/share/qt6/translations/qtbase_ru.qm)

# The folder's files by their paths inside it: the program files, which are stripped, and
# with them the licence, notice and source files and the catalogue; all of them for the
# installer's list of files to remove.
set(ddv_qt_files Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll)
set(ddv_runtime_files)
foreach(dll IN LISTS ddv_runtime_dlls)
    cmake_path(GET dll FILENAME name)
    list(APPEND ddv_runtime_files ${name})
endforeach()
set(ddv_portable_programs ddvelmor.exe ${ddv_qt_files} ${ddv_runtime_files})
set(ddv_text_files LICENSE.txt NOTICE.txt SOURCE.txt)
set(ddv_portable_files ${ddv_portable_programs} ${ddv_text_files} translations/qtbase_ru.qm)

# Every file of the downloads carries the time of the release's commit, which scripts/windows
# and scripts/release give as SOURCE_DATE_EPOCH (without it, the time of configuring): strip
# writes it into the program files' headers, the installer stores it as the files' times, the
# zip as its entries' times. A change of it makes the folder anew.
string(TIMESTAMP DDV_SOURCE_DATE_EPOCH "%s" UTC)
set(ddv_epoch_file ${CMAKE_BINARY_DIR}/windows/source-date-epoch)
file(CONFIGURE OUTPUT ${ddv_epoch_file} CONTENT "${DDV_SOURCE_DATE_EPOCH}\n")

# The Debian package that holds a file of this machine (or the package named), as its name
# and as "name version", and its source package as "name version"; for the notice and
# SOURCE.txt.
function(ddv_debian_origin prefix file_or_package)
    set(package ${file_or_package})
    if(IS_ABSOLUTE "${file_or_package}")
        execute_process(COMMAND dpkg-query --search ${file_or_package} OUTPUT_VARIABLE owner
                        OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
        string(REGEX REPLACE ": .*" "" package "${owner}")
    endif()
    # A package installed for more than one architecture (multiarch) is shown once
    # for each, with the same version.
    execute_process(COMMAND dpkg-query --show "--showformat=\${Package};\${Version};\${source:Package} \${source:Version}\n"
                            ${package}
                    OUTPUT_VARIABLE origin COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX REPLACE "\n.*" "" origin "${origin}")
    list(GET origin 0 name)
    list(GET origin 1 version)
    list(GET origin 2 source)
    set(${prefix}_package ${name} PARENT_SCOPE)
    set(${prefix}_binary "${name} ${version}" PARENT_SCOPE)
    set(${prefix}_source "${source}" PARENT_SCOPE)
endfunction()

# The licence, notice and source files. Qt was built from the source of the Debian package
# that gives the build its moc and rcc (scripts/windows).
set(libstdcxx ${ddv_runtime_dlls})
list(FILTER libstdcxx INCLUDE REGEX "/libstdc\\+\\+-6\\.dll$")
set(winpthread ${ddv_runtime_dlls})
list(FILTER winpthread INCLUDE REGEX "/libwinpthread-1\\.dll$")
ddv_debian_origin(qt qt6-base-dev)
ddv_debian_origin(translations ${ddv_qt_catalogue_origin})
ddv_debian_origin(gcc ${libstdcxx})
ddv_debian_origin(mingw ${winpthread})
string(REPLACE " " "=" qt_source_request "${qt_source}")
list(JOIN ddv_qt_files ", " qt_files)
string(APPEND qt_files ", translations/qtbase_ru.qm")
string(REPLACE "/" "\\" qt_files "${qt_files}")
# Debian's MinGW-w64 GCC gives its version as 12.0.0 whatever its release; the notice names
# the major version only.
string(REGEX MATCH "^[0-9]+" gcc_version "${CMAKE_CXX_COMPILER_VERSION}")
set(gcc_files ${ddv_runtime_files})
list(REMOVE_ITEM gcc_files libwinpthread-1.dll)
list(JOIN gcc_files ", " gcc_files)
set(ddv_notice_dir ${CMAKE_BINARY_DIR}/windows/notices)
list(TRANSFORM ddv_text_files PREPEND ${ddv_notice_dir}/ OUTPUT_VARIABLE ddv_notice_paths)
# Debian's own interpreter, with Debian's zlib for the zip and python3-pefile for the tests.
find_program(DDV_SYSTEM_PYTHON3 python3 HINTS /usr/bin REQUIRED)
set(ddv_templates ${PROJECT_SOURCE_DIR}/desktop/app/windows)
set(ddv_qt_licences ${QT6_INSTALL_PREFIX}/licenses)
set(ddv_gcc_copyright /usr/share/doc/${gcc_package}/copyright)
set(ddv_mingw_copyright /usr/share/doc/${mingw_package}/copyright)
add_custom_command(OUTPUT ${ddv_notice_paths}
    COMMAND ${DDV_SYSTEM_PYTHON3} ${PROJECT_SOURCE_DIR}/cmake/windows-notices.py
            ${PROJECT_SOURCE_DIR}/LICENSE ${ddv_templates} ${QT6_INSTALL_PREFIX}
            ${ddv_gcc_copyright} ${ddv_mingw_copyright} ${ddv_notice_dir}
            version=${PROJECT_VERSION} qt_version=${Qt6_VERSION} "qt_files=${qt_files}"
            gcc_version=${gcc_version} "gcc_files=${gcc_files}"
            mingw_files=libwinpthread-1.dll "qt_source=${qt_source}"
            qt_source_request=${qt_source_request}
            "translations_package=${translations_binary}"
            "translations_source=${translations_source}"
            "gcc_source=${gcc_source}" "mingw_source=${mingw_source}"
    DEPENDS ${PROJECT_SOURCE_DIR}/cmake/windows-notices.py ${PROJECT_SOURCE_DIR}/LICENSE
            ${ddv_templates}/NOTICE.txt.in ${ddv_templates}/SOURCE.txt.in
            ${ddv_qt_licences}/third-party.txt ${ddv_gcc_copyright} ${ddv_mingw_copyright}
    COMMENT "Writing the licence, notice and source files of the Windows downloads"
    VERBATIM)

# The folder is made afresh from its parts, so that it holds nothing else, and stripped: the
# tool chain's runtime DLLs come with their debugging information (libstdc++ 24 MB of 26).
set(ddv_portable_stamp ${CMAKE_BINARY_DIR}/windows/portable.stamp)
list(TRANSFORM ddv_portable_programs PREPEND ${DDV_PORTABLE_DIR}/ OUTPUT_VARIABLE ddv_program_paths)
list(TRANSFORM ddv_portable_files PREPEND ${DDV_PORTABLE_DIR}/ OUTPUT_VARIABLE ddv_portable_paths)
add_custom_command(OUTPUT ${ddv_portable_stamp}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${DDV_PORTABLE_DIR}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DDV_PORTABLE_DIR}/platforms
            ${DDV_PORTABLE_DIR}/translations
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:ddvelmor> ${ddv_qt_dlls} ${ddv_runtime_dlls}
            ${ddv_notice_paths} ${DDV_PORTABLE_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${ddv_platform_plugin} ${DDV_PORTABLE_DIR}/platforms
    COMMAND ${CMAKE_COMMAND} -E copy ${ddv_qt_catalogue} ${DDV_PORTABLE_DIR}/translations
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${DDV_SOURCE_DATE_EPOCH}
            ${CMAKE_STRIP} --strip-unneeded ${ddv_program_paths}
    COMMAND touch --no-dereference --date=@${DDV_SOURCE_DATE_EPOCH} ${ddv_portable_paths}
    COMMAND ${CMAKE_COMMAND} -E touch ${ddv_portable_stamp}
    DEPENDS ddvelmor ${ddv_qt_dlls} ${ddv_platform_plugin} ${ddv_runtime_dlls}
            ${ddv_qt_catalogue} ${ddv_notice_paths} ${ddv_epoch_file}
    COMMENT "Assembling the portable folder ${ddv_package_name}"
    VERBATIM)

# Entries in the order of their names, with the commit's time and no owner or permissions of
# the build machine.
add_custom_command(OUTPUT ${DDV_WINDOWS_ZIP}
    COMMAND ${DDV_SYSTEM_PYTHON3} ${PROJECT_SOURCE_DIR}/cmake/pack-zip.py
            ${DDV_PORTABLE_DIR} ${DDV_WINDOWS_ZIP} ${DDV_SOURCE_DATE_EPOCH}
    DEPENDS ${ddv_portable_stamp} ${PROJECT_SOURCE_DIR}/cmake/pack-zip.py
    COMMENT "Packing ${ddv_package_name}.zip"
    VERBATIM)

# The installer's script takes the version, the icon, the home page and the file list from
# here: each file as the folder it goes into and its path in the installed folder.
list(JOIN DDV_VERSION_NUMBERS "." DDV_VERSION_DOTS)
set(DDV_ICON ${PROJECT_SOURCE_DIR}/desktop/app/icons/ddvelmor.ico)
set(DDV_INSTALLED_FILES "")
foreach(file IN LISTS ddv_portable_files)
    cmake_path(GET file PARENT_PATH folder)
    string(REPLACE "/" "\\" path "${file}")
    string(REPLACE "/" "\\" folder "$INSTDIR/${folder}")
    string(REGEX REPLACE "\\\\$" "" folder "${folder}")
    string(APPEND DDV_INSTALLED_FILES "    !insertmacro \${MACRO} \"${folder}\" \"${path}\"\n")
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/desktop/app/ddvelmor.nsi.in ${CMAKE_BINARY_DIR}/windows/ddvelmor.nsi
               @ONLY)

# makensis converts its arguments, the paths among them, from the locale's character set, and
# stops at a letter that set lacks: it runs under UTF-8, whatever locale the build has.
find_program(DDV_MAKENSIS makensis REQUIRED)
add_custom_command(OUTPUT ${DDV_WINDOWS_INSTALLER}
    COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 ${DDV_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DPORTABLE=${DDV_PORTABLE_DIR}
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
