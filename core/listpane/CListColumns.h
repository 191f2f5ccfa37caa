// CListColumns: the ten columns of the file list, their captions, alignment and default widths.
#pragma once

#include <array>
#include <string>

// The column number is also the sub-item index that addresses the column's text and the index of
// the column's comparison when the list is sorted. The window layer inserts the columns from this
// table; the saved layout overrides only the widths and the display order.
class CListColumns {
public:
    enum Column {
        kName, kType, kMark, kSize, kModified, kLastRead, kCreated, kAttributes, kFolders, kFiles, kCount
    };
    struct Definition {
        const char* caption;
        bool rightAligned;
        int width;  // pixels
    };

    static const Definition& At(int column) { return kDefinitions[static_cast<std::size_t>(column)]; }
    // Columns whose folder-row text comes from aggregated totals: empty until the totals are known.
    static bool ShowsTotals(int column)
    {
        return column == kSize || column == kFolders || column == kFiles;
    }

private:
    static constexpr std::array<Definition, kCount> kDefinitions = {{
        {"名前", false, 110},
        {"種類", false, 50},
        {"ﾁｪｯｸ", false, 50},
        {"サイズ(S)", true, 60},
        {"更新日時(U)", false, 90},
        {"読取日(R)", false, 70},
        {"作成日時(C)", false, 90},
        {"属性", true, 40},
        {"ﾌｫﾙﾀﾞｰ数(D)", true, 80},
        {"ﾌｧｲﾙ数(F)", true, 70},
    }};
};
