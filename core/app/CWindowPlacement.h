// CWindowPlacement: the 44-byte window placement record of the store files.
#pragma once

#include <cstdint>

#include "app/CStoreRect.h"

class CArchive;

// The platform's WINDOWPLACEMENT in portable form, with the same field names so that the window
// program copies it field by field from GetWindowPlacement and back to SetWindowPlacement. On
// disk: length, flags, show command, minimised position, maximised position, normal rectangle,
// each 32 bits. A record read from a file is applied only when IsUsable says it can neither hide
// the window nor move it out of reach.
struct CWindowPlacement {
    struct Point {
        bool operator==(const Point&) const = default;
        int32_t x = 0;
        int32_t y = 0;
    };

    static constexpr uint32_t kLength = 44;

    // stored form
    void Write(CArchive& ar) const;
    // A whole record, or CArchiveException when the archive ends first. The length field always
    // comes back as kLength and unknown flag bits are dropped, as SetWindowPlacement wants them.
    static CWindowPlacement Read(CArchive& ar);
    // Reads a record and takes it in place of this one only when it is usable; says whether it
    // did. Throws as Read does.
    bool ReadIfUsable(CArchive& ar);

    // A visible show command, coordinates windows can have and a normal rectangle with an area.
    bool IsUsable() const;

    bool operator==(const CWindowPlacement&) const = default;

    uint32_t length = kLength;
    uint32_t flags = 0;
    uint32_t showCmd = 0;
    Point ptMinPosition;
    Point ptMaxPosition;
    CStoreRect rcNormalPosition;
};
