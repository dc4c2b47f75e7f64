# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Run by cpack between laying out the package and packing it: removes the compiler's notes
# from the Debian package's programs, as Debian's own packaging does, which the stripping
# that CPACK_STRIP_FILES asks for leaves in.
if(CPACK_GENERATOR STREQUAL "DEB")
    file(GLOB programs ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/bin/*)
    execute_process(COMMAND ${CPACK_DDV_STRIP} --remove-section=.comment --remove-section=.note
                            ${programs}
                    COMMAND_ERROR_IS_FATAL ANY)
endif()
