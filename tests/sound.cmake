# SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
# SPDX-License-Identifier: GPL-3.0-or-later
# The four sound cues: which files they ask for, and what a real sound server
# hears from the program's own player.
brindel_add_test(tst_suoni
    SOURCES tst_suoni.cpp
    LIBS brindel_core
    LABELS sound)

# Starts a PulseAudio server of its own; skipped (not passed) where none can
# be started.
brindel_add_test(tst_suoni_reali
    SOURCES tst_suoni_reali.cpp
            sound/onda.cpp sound/onda.h
            sound/serverpulse.cpp sound/serverpulse.h
    LIBS brindel_prova_x brindel_core
    LABELS sound)
# The real program, played and ended on a private X server.
add_dependencies(tst_suoni_reali tintar-i-brindel)
set_tests_properties(tst_suoni_reali PROPERTIES
    SKIP_REGULAR_EXPRESSION "SKIP   : TstSuoniReali::initTestCase\\(\\)")
target_compile_definitions(tst_suoni_reali PRIVATE "BRINDEL_ID_APPLICAZIONE=\"${BRINDEL_APP_ID}\"")
