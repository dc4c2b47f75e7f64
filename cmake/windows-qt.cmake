# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# How scripts/windows cross-builds qtbase for 64-bit Windows from Debian's source package:
# an initial cache for `cmake -C` together with cmake/mingw-w64-x86_64.cmake. The build is
# cached under a key made from this file, the tool chain file and the Qt package version, so
# any change here builds Qt anew.

# Shared libraries in Release, as the portable folder and the installer ship them.
set(BUILD_SHARED_LIBS ON CACHE BOOL "")
set(CMAKE_BUILD_TYPE Release CACHE STRING "")

# Where the cache is leaves no trace in the DLLs: the source and build folders are named
# alike wherever they are, so that Qt built on another machine gives the same bytes.
set(ddv_path_maps "-ffile-prefix-map=${CMAKE_SOURCE_DIR}=qtbase -ffile-prefix-map=${CMAKE_BINARY_DIR}=build")
set(CMAKE_C_FLAGS ${ddv_path_maps} CACHE STRING "")
set(CMAKE_CXX_FLAGS ${ddv_path_maps} CACHE STRING "")

# Nothing but the libraries: no examples, tests or benchmarks of Qt's own.
set(QT_BUILD_EXAMPLES OFF CACHE BOOL "")
set(QT_BUILD_TESTS OFF CACHE BOOL "")
set(QT_BUILD_BENCHMARKS OFF CACHE BOOL "")

# The program uses Core, Gui and Widgets, its tests Test; every other module of qtbase is off
# to save build time and size.
set(FEATURE_concurrent OFF CACHE BOOL "")
set(FEATURE_dbus OFF CACHE BOOL "")
set(FEATURE_network OFF CACHE BOOL "")
set(FEATURE_printsupport OFF CACHE BOOL "")
set(FEATURE_sql OFF CACHE BOOL "")
set(FEATURE_xml OFF CACHE BOOL "")
set(FEATURE_testlib ON CACHE BOOL "")
set(FEATURE_widgets ON CACHE BOOL "")

# No OpenGL: the windows paint with the raster engine. FEATURE_opengl=OFF alone leaves
# dynamic GL selected, and the windows platform plugin then fails to compile
# (QOpenGLStaticContext); INPUT_opengl=no turns off both.
set(FEATURE_opengl OFF CACHE BOOL "")
set(INPUT_opengl no CACHE STRING "")
set(FEATURE_vulkan OFF CACHE BOOL "")

# Debian's +dfsg tarball leaves out src/3rdparty/wintab, which tablet events need; the
# Direct2D 1.1 paint engine needs it too. Plain direct2d stays on: without it the windows
# platform plugin fails to link its DirectWrite font database.
set(FEATURE_tabletevent OFF CACHE BOOL "")
set(FEATURE_direct2d1_1 OFF CACHE BOOL "")

# Third-party code from the Qt sources rather than libraries of the build machine, so that
# nothing outside the Qt DLLs must be shipped. FreeType stays on: the offscreen platform
# plugin, which the window tests use, draws text with it.
set(FEATURE_system_zlib OFF CACHE BOOL "")
set(FEATURE_system_png OFF CACHE BOOL "")
set(FEATURE_system_jpeg OFF CACHE BOOL "")
set(FEATURE_system_freetype OFF CACHE BOOL "")
set(FEATURE_system_harfbuzz OFF CACHE BOOL "")
set(FEATURE_system_pcre2 OFF CACHE BOOL "")
set(FEATURE_system_doubleconversion OFF CACHE BOOL "")
set(FEATURE_freetype ON CACHE BOOL "")
set(FEATURE_zstd OFF CACHE BOOL "")
set(FEATURE_icu OFF CACHE BOOL "")

# The program's images are PNG, which Qt Gui reads itself. Of the image-format plugins only
# the ICO one is built, for the test that reads the program's icon file; it is not shipped.
set(FEATURE_gif OFF CACHE BOOL "")
set(FEATURE_ico ON CACHE BOOL "")
set(FEATURE_jpeg OFF CACHE BOOL "")
