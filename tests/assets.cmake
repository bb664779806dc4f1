# SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
# SPDX-License-Identifier: GPL-3.0-or-later
# The shipped drawings, sound cues and pictures.
brindel_add_test(tst_assets
    SOURCES tst_assets.cpp
    LIBS brindel_core
    LABELS assets)
