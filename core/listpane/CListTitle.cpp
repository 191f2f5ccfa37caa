// The file list's caption text.
#include "listpane/CListTitle.h"

#include "fw/CSystemErrorText.h"
#include "services/CDisplayFormat.h"

std::string CListTitle::Compose(const std::string& displayPath, bool bComputer, const Objects& objects,
                                uint32_t listingError, const FreeSpace& freeSpace, const CDisplayFormat& format)
{
    const std::string freePart = bComputer ? std::string() : FreePart(freeSpace, format);
    return displayPath + " ： " + CountPart(bComputer, objects, listingError, format) + " " + freePart;
}

std::string CListTitle::ErrorText(uint32_t code)
{
    // A caption is one line: the line ends some system texts carry are dropped.
    std::string text = CSystemErrorText::Describe(code);
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    return text;
}

std::string CListTitle::CountPart(bool bComputer, const Objects& objects, uint32_t listingError,
                                  const CDisplayFormat& format)
{
    if (!objects.bSelection && listingError != 0)
        return ErrorText(listingError);
    std::string text = std::to_string(objects.count) + " 個のｵﾌﾞｼﾞｪｸﾄ";
    if (!bComputer)
        text += " " + format.FormatSizeWithFraction(objects.bytes, format.m_strSizeUnit);
    return text;
}

std::string CListTitle::FreePart(const FreeSpace& freeSpace, const CDisplayFormat& format)
{
    if (!freeSpace.bKnown)
        return "(" + ErrorText(freeSpace.code) + ")";
    return "(空きﾃﾞｨｽｸ領域 " + format.FormatSizeAuto(static_cast<int64_t>(freeSpace.bytes)) + ")";
}
