// The face our dialogs are drawn in. Their templates ask for a Japanese face that not every
// system has; where it is missing, the system would stand a font of other metrics or without
// Japanese glyphs in for it, and the texts would show as boxes.
#pragma once

#include <string>

#include "platform/win32/win32.h"

// `wanted` when the system has that face, else an installed face with the Japanese glyphs: the
// usual Japanese interface faces first, then any face of the Japanese character set; `wanted`
// again when there is none. UTF-8; looked up once per process.
const std::string& DialogFace(const std::string& wanted);

// Whether `font` draws Japanese text, from its own glyphs or a linked font's. The system's fonts
// for menus and tooltips may not where the dialog face is missing too.
bool DrawsJapanese(HFONT font);
