# SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
# SPDX-License-Identifier: GPL-3.0-or-later
# Rules, numbers, the start window's colour, the windows and the shell.
add_library(brindel_prova STATIC comune/gif.cpp comune/gif.h comune/pixel.h comune/registratori.h)
target_link_libraries(brindel_prova PUBLIC brindel_widgets)
target_include_directories(brindel_prova PUBLIC "${CMAKE_CURRENT_SOURCE_DIR}")

brindel_add_test(tst_numeri SOURCES tst_numeri.cpp LIBS brindel_core)
brindel_add_test(tst_partita SOURCES tst_partita.cpp LIBS brindel_prova)
brindel_add_test(tst_disegno SOURCES tst_disegno.cpp LIBS brindel_prova)
brindel_add_test(tst_finestre SOURCES tst_finestre.cpp LIBS brindel_prova)

# Against a real X server, which the test starts itself.
add_library(brindel_prova_x STATIC comune/xvfb.cpp comune/xvfb.h)
target_link_libraries(brindel_prova_x PUBLIC brindel_core Qt6::Test)
target_include_directories(brindel_prova_x PUBLIC "${CMAKE_CURRENT_SOURCE_DIR}")
brindel_add_test(tst_x11 SOURCES tst_x11.cpp LIBS brindel_prova_x brindel_core LABELS x11)
add_dependencies(tst_x11 tintar-i-brindel)

brindel_add_test(tst_menu SOURCES tst_menu.cpp LIBS brindel_prova)
target_compile_definitions(tst_menu PRIVATE
    BRINDEL_AUTORE_PROVA="${BRINDEL_AUTHOR}"
    BRINDEL_SITO_PROVA="${PROJECT_HOMEPAGE_URL}"
    BRINDEL_POSTA_PROVA="${BRINDEL_CONTACT}")
brindel_add_test(tst_programma_errori SOURCES tst_programma_errori.cpp LIBS brindel_prova_x brindel_prova LABELS x11)
add_dependencies(tst_programma_errori tintar-i-brindel)

# Long play: thousands of games in one process.
brindel_add_test(tst_soak SOURCES tst_soak.cpp LIBS brindel_prova LABELS soak)
set_tests_properties(tst_soak PROPERTIES TIMEOUT 1800)
brindel_add_test(tst_partita_vera SOURCES tst_partita_vera.cpp LIBS brindel_prova_x brindel_prova LABELS x11)
add_dependencies(tst_partita_vera tintar-i-brindel)
# The same windows at the device-pixel ratios of high-dpi screens.
foreach(rapporto 1.25 1.5 2)
    add_test(NAME tst_finestre_rapporto_${rapporto} COMMAND tst_finestre esattoAOgniRapporto segnoDelFuoco)
    set_tests_properties(tst_finestre_rapporto_${rapporto} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=${rapporto};LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp"
        TIMEOUT 300)
endforeach()
