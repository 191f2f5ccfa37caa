// CListTitle: the one-line summary the file list gives its window's caption.
#pragma once

#include <cstdint>
#include <string>

class CDisplayFormat;

// The caption is the list's status line: the folder, how many objects are listed (or selected)
// and their size, and the free space of the folder's drive, as
//     "C:\Data ： 12 個のｵﾌﾞｼﾞｪｸﾄ 1. 23 MB (空きﾃﾞｨｽｸ領域 4. 56 GB)".
// The computer's list counts drives and has neither a size nor a free part (the text ends in a
// blank). A listing that failed shows the system's text for its error instead of the count while
// nothing is selected; free space that could not be read shows the error text in its place.
class CListTitle {
public:
    struct Objects {
        int count = 0;
        uint64_t bytes = 0;  // the 64-bit sum of the counted rows' sizes
        bool bSelection = false;  // the selected rows were counted, not all rows
    };
    struct FreeSpace {
        bool bKnown = false;
        uint64_t bytes = 0;
        uint32_t code = 0;  // why it is not known
    };

    static std::string Compose(const std::string& displayPath, bool bComputer, const Objects& objects,
                               uint32_t listingError, const FreeSpace& freeSpace, const CDisplayFormat& format);

private:
    static std::string CountPart(bool bComputer, const Objects& objects, uint32_t listingError,
                                 const CDisplayFormat& format);
    static std::string FreePart(const FreeSpace& freeSpace, const CDisplayFormat& format);
    static std::string ErrorText(uint32_t code);
};
