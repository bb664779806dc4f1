// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four feedback cues the rules call for; the window plays them.

namespace suoni {

enum class Segnale {
    Si,     // a right answer
    No,     // a wrong answer
    Fatto,  // the last cover of a picture found
    Rifai,  // one mistake too many: a new picture comes
};

} // namespace suoni
