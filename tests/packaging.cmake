# The installed tree, its launcher and desktop metadata, and the installed
# game under a real X server. The test runs `cmake --install` on this build
# tree itself, so it needs the program built first.
brindel_add_test(tst_installazione
    SOURCES tst_installazione.cpp
    LIBS brindel_prova_x brindel_core
    LABELS install)
target_compile_definitions(tst_installazione PRIVATE
    BRINDEL_BINARY_DIR="${CMAKE_BINARY_DIR}"
    BRINDEL_CMAKE_COMMAND="${CMAKE_COMMAND}"
    BRINDEL_APP_ID="${BRINDEL_APP_ID}"
    BRINDEL_INSTALL_DIR="${BRINDEL_INSTALL_DIR}"
    BRINDEL_DESKTOP_FILE="${BRINDEL_DESKTOP_FILE}"
    BRINDEL_METAINFO_FILE="${BRINDEL_METAINFO_FILE}")
add_dependencies(tst_installazione tintar-i-brindel)
