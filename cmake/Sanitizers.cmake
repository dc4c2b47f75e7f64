# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Switches for the hardened test build.
#
# DDV_SANITIZE: every target of the build (engine, calculator, windows, tests, fuzz targets)
# is compiled and linked with AddressSanitizer and UndefinedBehaviorSanitizer. Any report
# ends the process with an error, so a test that triggers one fails. Works with gcc and clang.
#
# DDV_FUZZ: adds the libFuzzer targets in fuzz/ and compiles every target with the coverage
# instrumentation that guides them. Needs clang, whose libFuzzer runtime Debian ships in
# libclang-rt-dev, and the test checks (BUILD_TESTING).

option(DDV_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(DDV_FUZZ "Build the libFuzzer targets in fuzz/ (clang only)" OFF)

if(DDV_SANITIZE)
    if(MSVC)
        message(FATAL_ERROR "DDV_SANITIZE needs gcc or clang")
    endif()
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()

if(DDV_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "DDV_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
    endif()
    if(NOT BUILD_TESTING)
        message(FATAL_ERROR "DDV_FUZZ needs BUILD_TESTING: the fuzz targets share the test checks")
    endif()
    # Coverage feedback from every library the fuzz targets call into; the targets themselves
    # link the libFuzzer driver.
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
