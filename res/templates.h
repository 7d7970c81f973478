// The dialog templates as data: one source for the Win32 dialogs and for the test fake.
#pragma once

#include "platform/dialog_template.h"

const DialogTemplate& MainDialogTemplate();     // IDD_MAIN
const DialogTemplate& VersionDialogTemplate();  // IDD_VERSION

// The addresses the program asks the shell to open.
inline constexpr const char* kProductPageUrl = "https://glazier.example.org/help/";
inline constexpr const char* kHomePageUrl = "https://glazier.example.org/";
