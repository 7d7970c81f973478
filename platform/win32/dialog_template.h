// Our dialog templates in the platform's in-memory form (DLGTEMPLATEEX), for
// CreateDialogIndirectParamW.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/dialog_template.h"

// The template as 16-bit words, DWORD-aligned where the format wants it; the vector's storage
// is the template. Its font is the face the system has for the template's (DialogFace).
std::vector<std::uint16_t> BuildDialogTemplate(const DialogTemplate& dialog);
