# SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed tree, its links and desktop metadata, the installed game
# under a real X server, and the Debian package: made twice the same, its
# dependencies, and lintian. The test runs
# `cmake --install` and `cpack` on this build tree itself, so it needs the
# program and its compressed documents built first.
brindel_add_test(tst_installazione
    SOURCES tst_installazione.cpp
    LIBS brindel_prova_x brindel_core
    LABELS install)
target_compile_definitions(tst_installazione PRIVATE
    BRINDEL_BINARY_DIR="${CMAKE_BINARY_DIR}"
    BRINDEL_CMAKE_COMMAND="${CMAKE_COMMAND}"
    BRINDEL_CPACK_COMMAND="${CMAKE_CPACK_COMMAND}"
    BRINDEL_SCREENSHOT_URL="${BRINDEL_SCREENSHOT_URL}"
    BRINDEL_INDURITO=$<AND:$<BOOL:${BRINDEL_HARDENING}>,$<NOT:$<BOOL:${BRINDEL_SANITIZE}>>,$<NOT:$<CONFIG:Debug>>>
    BRINDEL_SANITIZZATO=$<BOOL:${BRINDEL_SANITIZE}>
    BRINDEL_APP_ID="${BRINDEL_APP_ID}"
    BRINDEL_INSTALL_DIR="${BRINDEL_INSTALL_DIR}"
    BRINDEL_DESKTOP_FILE="${BRINDEL_DESKTOP_FILE}"
    BRINDEL_METAINFO_FILE="${BRINDEL_METAINFO_FILE}"
    BRINDEL_COPYRIGHT_FILE="${BRINDEL_COPYRIGHT_FILE}")
add_dependencies(tst_installazione tintar-i-brindel brindel_documenti)
# Building the package and running lintian take minutes on a busy machine.
set_tests_properties(tst_installazione PROPERTIES TIMEOUT 900)
