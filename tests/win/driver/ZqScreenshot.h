// ZqScreenshot: saves what the display shows to a 24-bit BMP file.
#pragma once

#include <string>

namespace zqshot {

// Copies the whole virtual screen (Wine: the virtual desktop) into a bottom-up 24-bit BMP at
// path. False when the screen cannot be read or the file cannot be written.
bool SaveScreenBmp(const std::wstring& path);

}  // namespace zqshot
