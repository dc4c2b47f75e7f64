# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# The checks that need more than the compiler, Qt and GoogleTest (an X server for the desktop
# session, Debian's packaging tools, reuse, Google Benchmark) are added where their tools are
# found, so that a plain configure of the sources builds and tests what it can; the configure
# names the ones it left out, once, at its end. scripts/test and CI configure with
# DDV_ALL_CHECKS, which makes a missing tool an error instead.
option(DDV_ALL_CHECKS "Fail the configure when a tool that a check needs is missing" OFF)

# ddv_left_out(WHAT MISSING...): WHAT is not built or run for want of MISSING.
function(ddv_left_out what)
    list(JOIN ARGN ", " missing)
    if(DDV_ALL_CHECKS)
        message(FATAL_ERROR "${what} needs ${missing}: install them (scripts/test does)")
    endif()
    set_property(GLOBAL APPEND PROPERTY DDV_LEFT_OUT "${what} (no ${missing})")
endfunction()

# ddv_find_tools(VAR WHAT PROGRAM...): VAR is true when every program is found, each then in
# DDV_TOOL_<PROGRAM>; otherwise WHAT is left out.
function(ddv_find_tools var what)
    set(missing)
    foreach(program IN LISTS ARGN)
        string(MAKE_C_IDENTIFIER "DDV_TOOL_${program}" found)
        find_program(${found} ${program})
        if(NOT ${found})
            list(APPEND missing ${program})
        endif()
    endforeach()
    if(missing)
        ddv_left_out("${what}" ${missing})
        set(${var} FALSE PARENT_SCOPE)
    else()
        set(${var} TRUE PARENT_SCOPE)
    endif()
endfunction()

# Called once at the end of the configure.
function(ddv_report_left_out)
    get_property(left_out GLOBAL PROPERTY DDV_LEFT_OUT)
    if(left_out)
        list(JOIN left_out "\n  " lines)
        message(NOTICE "Left out for want of their tools (scripts/test installs them):\n  ${lines}")
    endif()
endfunction()
