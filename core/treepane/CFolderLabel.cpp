// The labels of the folder tree.
#include "treepane/CFolderLabel.h"

#include "app/CAppSettings.h"
#include "services/CTextFormat.h"

namespace {

// Widths in code page 932 bytes and the dots per missing byte that line the pieces up in the
// tree's proportional font.
constexpr int kFolderCountWidth = 7;
constexpr int kFileCountWidth = 9;
constexpr int kSizeWidth = 17;
constexpr float kDotsPerByte = 2.5f;
constexpr std::string_view kPieceEnd = "> ";
constexpr char kNameMark = '>';

}  // namespace

std::string CFolderLabel::CountText(int32_t count)
{
    // A damaged store file can hold a negative count; it is shown as it is, not as a huge number.
    const uint64_t magnitude = count < 0 ? 0 - static_cast<uint64_t>(count) : static_cast<uint64_t>(count);
    return (count < 0 ? "-" : "") + CTextFormat::FormatGrouped(magnitude);
}

std::string CFolderLabel::BuildInfoText(const CAppSettings& settings, const CSizeInfo& totals)
{
    std::string text;
    if (settings.m_bShowModified)
        text.append("U ").append(CDisplayFormat::FormatDateTimeShort(totals.m_tModified)).append(kPieceEnd);
    if (settings.m_bShowLastRead)
        text.append("R ").append(CDisplayFormat::FormatDateShort(totals.m_tAccessed)).append(kPieceEnd);
    if (settings.m_bShowCreated)
        text.append("C ").append(CDisplayFormat::FormatDateTimeShort(totals.m_tCreated)).append(kPieceEnd);
    if (settings.m_bShowFolderCount)
        text.append("D")
            .append(CTextFormat::PadWithDots(CountText(totals.m_nFolders), kFolderCountWidth, kDotsPerByte))
            .append(kPieceEnd);
    if (settings.m_bShowFileCount)
        text.append("F")
            .append(CTextFormat::PadWithDots(CountText(totals.m_nFiles), kFileCountWidth, kDotsPerByte))
            .append(kPieceEnd);
    if (!settings.m_format.m_strSizeUnit.empty())
        text.append(CTextFormat::PadWithDots(settings.m_format.FormatSize(totals.m_nSize, settings.m_format.m_strSizeUnit), kSizeWidth,
                                             kDotsPerByte))
            .append(kPieceEnd);
    return text;
}

std::string CFolderLabel::MakeLabel(const CAppSettings& settings, const CSizeInfo& totals, const std::string& name)
{
    return Compose(BuildInfoText(settings, totals), name);
}

std::string CFolderLabel::Compose(const std::string& infoText, const std::string& name)
{
    return infoText.empty() ? name : infoText + kNameMark + name;
}

bool CFolderLabel::HasTotals(std::string_view label)
{
    return label.find(kNameMark) != std::string_view::npos;
}

std::string CFolderLabel::NameOf(std::string_view label)
{
    const std::size_t mark = label.rfind(kNameMark);
    return std::string(mark == std::string_view::npos ? label : label.substr(mark + 1));
}

std::string CFolderLabel::Rename(std::string_view label, const std::string& name)
{
    const std::size_t mark = label.rfind(kNameMark);
    return mark == std::string_view::npos ? name : std::string(label.substr(0, mark + 1)) + name;
}

void CFolderLabel::SplitEdited(std::string_view label, std::string& prefix, std::string& name)
{
    const std::size_t mark = label.rfind(kNameMark);
    const bool bAllName = mark == std::string_view::npos || mark + 1 == label.size();
    prefix = bAllName ? std::string() : std::string(label.substr(0, mark + 1));
    name = std::string(bAllName ? label : label.substr(mark + 1));
}

std::string CFolderLabel::DisplayNameOf(const CAppSettings& settings, const std::string& key)
{
    if (settings.m_keys.IsMyComputerKey(key))
        return settings.m_strMyComputerName;
    if (settings.m_keys.IsPlaceholderPath(key))
        return settings.m_keys.m_strDummyId;
    if (settings.m_keys.IsFileOnlyFolder(key))
        return settings.m_strFileOnlyFolderName;
    if (CFolderKeys::IsDriveRoot(key)) {
        // Shell names are shown as the shell gives them: " (C:)" has no lower-case letter either.
        const std::string shellName = CDriveServices::GetShellDisplayName(key);
        return shellName.empty() ? settings.m_keys.GetDisplayPath(key) : shellName;
    }
    std::string name = settings.m_keys.GetNameOf(key);
    CDisplayFormat::NormalizeNameCase(name);
    return name;
}
