// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What assistive technologies (screen readers, switch access) are told
// about our own controls beyond what Qt tells them.

namespace accessibilita {

// Registers, once per process, the descriptions of the swatches (buttons
// that can be pressed), of the menu bar's commands (named by their caption
// without the spaces that pad it on the bar), of the messages to screen
// readers (notifications) and of the start window (a frame).
void installa();

} // namespace accessibilita
