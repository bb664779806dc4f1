# SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
# SPDX-License-Identifier: GPL-3.0-or-later
# Palette table and flood fill.
brindel_add_test(tst_tavolozza
    SOURCES tst_tavolozza.cpp
    LIBS brindel_core
    LABELS colouring)
brindel_add_test(tst_riempimento
    SOURCES tst_riempimento.cpp
    LIBS brindel_core
    LABELS colouring)
# Colouring through the game window.
brindel_add_test(tst_colorazione
    SOURCES tst_colorazione.cpp
    LIBS brindel_prova
    LABELS colouring)
