# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Cross-compiles for 64-bit Windows with Debian's mingw-w64 tool chain. The -posix compilers
# use the winpthreads threading model, which std::thread and Qt need.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DDV_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${DDV_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DDV_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${DDV_MINGW_TRIPLET}-windres)

# Every program and DLL is relocatable anywhere in the 64-bit address space (ASLR with high
# entropy) and keeps data out of execution (DEP). Debian 12's linker sets all three by
# default; they are named so that no other linker leaves them out.
set(ddv_pe_security_flags "-Wl,--dynamicbase,--high-entropy-va,--nxcompat")
set(CMAKE_EXE_LINKER_FLAGS_INIT ${ddv_pe_security_flags})
set(CMAKE_SHARED_LINKER_FLAGS_INIT ${ddv_pe_security_flags})
set(CMAKE_MODULE_LINKER_FLAGS_INIT ${ddv_pe_security_flags})

# Headers, libraries and packages come from the mingw-w64 sysroot and from the prefixes the
# command line adds to CMAKE_FIND_ROOT_PATH (the cross-built Qt and GoogleTest); programs
# from the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${DDV_MINGW_TRIPLET})
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
