// System error texts.
#include "fw/CSystemErrorText.h"

#include <cstdio>

#include "CPlatform.h"

std::string CSystemErrorText::Describe(uint32_t code)
{
    std::string text = GetPlatform().FormatSystemMessage(code);
    static const std::string kFullStop = "。";
    const std::size_t stop = text.find(kFullStop);
    if (stop != std::string::npos)
        text.erase(stop + kFullStop.size());
    return text;
}

std::string CSystemErrorText::FormatHex(uint32_t code)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(code));
    return text;
}

std::string CSystemErrorText::Message(const std::string& lead, uint32_t code)
{
    return lead + "\n\n" + Describe(code) + "\n\n" + "( ｺｰﾄﾞ=" + FormatHex(code) + " )" + "\n";
}
