# The shipped drawings, sound cues and pictures.
brindel_add_test(tst_assets
    SOURCES tst_assets.cpp
    LIBS brindel_core
    LABELS assets)
