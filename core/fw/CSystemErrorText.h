// CSystemErrorText: the system's message for an error code, as every message box of the program shows it.
#pragma once

#include <cstdint>
#include <string>

// The walk, the drive services and the application all tell the user about a failed system call
// the same way: a lead line naming what failed, the system's own text cut after its first "。",
// and the code in hexadecimal. Static helpers only; the text comes from the platform.
class CSystemErrorText {
public:
    // The system's message text for an error code, cut after its first "。".
    static std::string Describe(uint32_t code);
    // "0x" and lower-case hexadecimal digits.
    static std::string FormatHex(uint32_t code);
    // lead + "\n\n" + Describe(code) + "\n\n( ｺｰﾄﾞ=0x.. )\n": the body of a Retry/Cancel box.
    static std::string Message(const std::string& lead, uint32_t code);
};
