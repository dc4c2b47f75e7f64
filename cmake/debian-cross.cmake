# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Cross-compiles for another Linux architecture of Debian, named as Debian names it
# (-DDDV_DEBIAN_ARCH=arm64 or armhf), with Debian's cross compiler and that architecture's
# libraries installed beside the build machine's own (multiarch). Qt's moc, rcc and uic are the
# build machine's; the programs run under qemu-user.
if(NOT DDV_DEBIAN_ARCH)
    message(FATAL_ERROR "Name the Debian architecture to build for: -DDDV_DEBIAN_ARCH=arm64")
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DDV_DEBIAN_ARCH)

foreach(variable GNU_TYPE GNU_CPU MULTIARCH)
    execute_process(COMMAND dpkg-architecture -a${DDV_DEBIAN_ARCH} -qDEB_HOST_${variable}
                    OUTPUT_VARIABLE ddv_host_${variable} OUTPUT_STRIP_TRAILING_WHITESPACE
                    ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
endforeach()
execute_process(COMMAND dpkg-architecture -qDEB_BUILD_MULTIARCH
                OUTPUT_VARIABLE ddv_build_multiarch OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${ddv_host_GNU_CPU})
set(CMAKE_LIBRARY_ARCHITECTURE ${ddv_host_MULTIARCH})
set(CMAKE_CXX_COMPILER ${ddv_host_GNU_TYPE}-g++)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${ddv_host_GNU_CPU}-static)

set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${ddv_build_multiarch}/cmake)
