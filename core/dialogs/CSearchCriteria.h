// CSearchCriteria: the folder search dialog's fields and the criteria record they make.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "folderdata/CSizeInfo.h"

class CDisplayFormat;

// What the user typed into the search dialog, as values (texts in UTF-8), with their initial
// values, and how they become the CSizeInfo of thresholds the tree searches with. The dialog
// derives from this class, moves the members to and from its controls and calls BuildCriteria
// between the two moves; nothing here needs a window, so the rules are tested natively.
//
// BuildCriteria rewrites the six date and time texts in the form mktime normalised them to
// ("99/2/30" becomes "1999/3/2") and leaves in m_strMessage either the prompt or one line per
// faulty row, so that the dialog shows the user what was understood and what was not.
class CSearchCriteria {
public:
    static constexpr const char* kPrompt = "フォルダの検索条件を入力して下さい。";
    static constexpr const char* kModifiedError = "更新日時がエラーです。\n";
    static constexpr const char* kReadError = "読取日時がエラーです。\n";
    static constexpr const char* kCreatedError = "作成日時がエラーです。\n";
    // A size no 64-bit count of bytes can hold (1e31 G Bytes is allowed by the field's range).
    static constexpr const char* kSizeError = "サイズがエラーです。\n";

    // Fills criteria from the fields: size in bytes, the two counts and the three times; false,
    // with the reasons in m_strMessage, when the size or a date and time cannot be used.
    bool BuildCriteria(CSizeInfo& criteria, const CDisplayFormat& format);
    // m_dSize in the chosen unit as bytes, truncated toward zero; none when the product lies
    // outside what 64 bits hold. Refusing rather than clamping: a clamped threshold would quietly
    // search for something the user never asked for (every folder in mode 1, none in mode 0).
    std::optional<uint64_t> SizeInBytes(const CDisplayFormat& format) const;

    // One date text ("y/m/d") and time text ("h:m") as a time; a two-digit year means 1970 to
    // 2069. All zero is no criterion: the texts become "0/0/0" and "0:0" and time is 0. Otherwise
    // both texts are rewritten as normalised; false when the time lies before 1970 or beyond
    // what the program's 32-bit times hold (time is then 0).
    static bool ParseDateTime(std::string& date, std::string& time, CTime& out);
    // Up to three numbers separated by separator, read as atoi reads them; missing ones are 0.
    static std::array<int, 3> SplitNumbers(const std::string& text, char separator);

    // the fields, in the dialog's order
    std::string m_strMessage = kPrompt;
    int32_t m_nCombine = 0;    // 0: all at least (AND), 1: any below (OR)
    int32_t m_bSkipNoDate = 1;  // a folder without a time is no target of a time threshold
    double m_dSize = 0;
    int32_t m_nSizeUnit = 0;   // Bytes, K Bytes, M Bytes, G Bytes
    std::string m_strCreatedDate = "0/0/0";
    std::string m_strCreatedTime = "0:0";
    std::string m_strReadDate = "0/0/0";
    std::string m_strReadTime = "0:0";
    std::string m_strModifiedDate = "0/0/0";
    std::string m_strModifiedTime = "0:0";
    uint32_t m_nFileCount = 0;
    uint32_t m_nFolderCount = 0;
};
