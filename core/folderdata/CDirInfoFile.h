// CDirInfoFile: reads a whole "Dir Info" file, telling a sound file from a damaged or foreign one.
#pragma once

#include <cstdint>
#include <ios>
#include <string>

class CDirSzLst;

// The list's own reader stops at the last record the file announces and shows a message box for
// a record it cannot read: right for the store, where other files go on behind their records, but
// a saved "Dir Info" that is compared with the disk must be whole. This reader keeps the list's
// messages to itself and measures what follows the records: a Dir Info file ends with its last
// record, so bytes after it mark a damaged or foreign file.
class CDirInfoFile {
public:
    // How a file was read.
    struct Shape {
        bool bOpened = false;
        bool bCounted = false;
        int32_t nAnnounced = 0;
        int nRead = 0;
        bool bUnreadable = false;
        std::streamoff nTrailing = 0;
    };

    // Reads every record of the file at key (a path in the program's form) into list, which
    // should be empty. The records before a damage stay in list.
    static Shape Read(const std::string& key, CDirSzLst& list);
    // One line, in English for scripts, that says where a file is damaged; empty when it is sound.
    static std::string Damage(const Shape& shape);
    static bool IsSound(const Shape& shape) { return shape.bOpened && Damage(shape).empty(); }
};
