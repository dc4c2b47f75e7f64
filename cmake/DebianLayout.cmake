# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Run by cpack between laying out the Debian package and packing it.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
    return()
endif()

# Removes the compiler's notes from the package's programs, as Debian's own packaging does,
# which the stripping that CPACK_STRIP_FILES asks for leaves in.
file(GLOB programs ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/bin/*)
execute_process(COMMAND ${CPACK_DDV_STRIP} --remove-section=.comment --remove-section=.note
                        ${programs}
                COMMAND_ERROR_IS_FATAL ANY)

# No file or folder of the package is newer than its sources (SOURCE_DATE_EPOCH, which
# scripts/lib.sh gives), as Debian's own packaging clamps them, so that the package does not
# depend on when it was built.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    message(FATAL_ERROR "SOURCE_DATE_EPOCH is not set: make the package with scripts/package")
endif()
execute_process(COMMAND find ${CPACK_TEMPORARY_DIRECTORY} -newermt @$ENV{SOURCE_DATE_EPOCH}
                        -exec touch --no-dereference --date=@$ENV{SOURCE_DATE_EPOCH} {} +
                COMMAND_ERROR_IS_FATAL ANY)
