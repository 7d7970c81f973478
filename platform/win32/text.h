// UTF-8 <-> UTF-16 at the Win32 boundary. The core keeps UTF-8; every W call goes through here.
#pragma once

#include <string>
#include <string_view>

std::wstring Widen(std::string_view utf8);
// The same into `out`, reusing its storage.
void WidenInto(std::string_view utf8, std::wstring& out);
std::string Narrow(std::wstring_view utf16);
// Replaces the contents of `out`, reusing its storage.
void NarrowInto(std::wstring_view utf16, std::string& out);
