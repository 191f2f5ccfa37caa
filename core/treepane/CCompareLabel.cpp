// The labels of compared tree items.
#include "treepane/CCompareLabel.h"

#include "services/CTextFormat.h"

namespace {

// The letter field is four bytes wide; the dots per missing byte differ between the two labels
// so that, in the tree's proportional font, an empty field lines up with a filled one.
constexpr int kLetterWidth = 4;
constexpr float kDifferentDotsPerByte = 3.5f;
constexpr float kSameDotsPerByte = 3.9f;
constexpr const char* kFieldEnd = "> ";

}  // namespace

std::string CCompareLabel::Different(const std::string& letters, const std::string& infoText, const std::string& name)
{
    return CTextFormat::PadWithDots(letters, kLetterWidth, kDifferentDotsPerByte) + kFieldEnd + infoText + ">" + name;
}

std::string CCompareLabel::Same(const std::string& infoText, const std::string& name)
{
    const std::string field = CTextFormat::PadWithDots("", kLetterWidth, kSameDotsPerByte) + kFieldEnd;
    return infoText.empty() ? field + name : field + infoText + ">" + name;
}
