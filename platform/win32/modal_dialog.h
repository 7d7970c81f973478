// Our modal dialog: created from its template with CreateDialogIndirectParamW and run by our own
// message loop, so that the dialog's PreTranslateMessage sees every message before it is
// dispatched.
#pragma once

#include <string>
#include <string_view>

#include "platform/dialog.h"
#include "platform/win32/win32.h"

// Runs `dialog` modally, owned by `owner` (null for the main dialog); the one way our dialogs
// run. Returns the dialog's end code, or -1 when it could not be created.
int RunModalDialog(CDialog& dialog, HWND owner);

// The application's main dialog. Like the framework's main window, it pre-translates every
// message of every modal loop, also while a child dialog runs.
void SetMainDialog(CDialog* dialog);

// Where CenterWindow puts a window of `window`'s size: centred on `center`, then pushed inside
// `area`.
Point CenteredOrigin(const Rect& window, const Rect& center, const Rect& area);

// The application's title: the executable's file name without directory and extension, as the
// caption of our message boxes.
std::wstring AppTitleFromPath(std::wstring_view path);
const std::wstring& AppTitle();
