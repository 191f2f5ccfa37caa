// ZqScreenshot: saves what the display shows to a 24-bit BMP file.
#pragma once

#include <string>

namespace zqshot {

// Copies the whole virtual screen (Wine: the virtual desktop) into a bottom-up 24-bit BMP at
// path. False when the screen cannot be read or the file cannot be written. Under Wine on Xvfb
// with the prefix's virtual desktop, the picture equals `/usr/bin/import -window root` pixel for
// pixel, windows of other processes included, so a test can take its own shot at the moment it
// chooses; scripts/screenshot.sh uses import for a PNG.
bool SaveScreenBmp(const std::wstring& path);

// A picture of the screen for a person to look at, saved as name in the folder ZQ_SHOT_DIR names;
// nothing when it names none.
void SaveShotIfAsked(const char* name);

}  // namespace zqshot
