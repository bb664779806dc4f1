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
# The plain way asked for through the environment.
add_test(NAME tst_riempimento_semplice COMMAND tst_riempimento percorsoDallAmbiente)
set_tests_properties(tst_riempimento_semplice PROPERTIES
    ENVIRONMENT "BRINDEL_RIEMPIMENTO=semplice;LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp"
    LABELS colouring
    TIMEOUT 300)
# Colouring through the game window.
brindel_add_test(tst_colorazione
    SOURCES tst_colorazione.cpp
    LIBS brindel_prova
    LABELS colouring)
