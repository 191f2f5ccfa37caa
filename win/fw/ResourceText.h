// ResourceText: strings of the program's string table, and the two halves of a command's string.
#pragma once

#include <windows.h>

#include <string>

// The string resource id, or fallback when the string table has none.
std::wstring LoadResourceString(UINT id, const wchar_t* fallback = L"");
// A command's string is "<status-bar prompt>\n<tooltip>": the part before the line break.
std::wstring CommandPrompt(UINT id);
// The part after the line break.
std::wstring CommandTip(UINT id);
