// CStoreRect: a window rectangle as the store files keep it.
#pragma once

#include <cstdint>

class CArchive;

// The four signed 32-bit edges left, top, right, bottom, in this order on disk (16 bytes). The
// window program converts it to and from its RECT; the store only moves it and judges whether a
// rectangle read from a file can be given to a window without putting it out of reach.
struct CStoreRect {
    // stored form
    void Write(CArchive& ar) const;
    // A whole rectangle, or CArchiveException when the archive ends before its last edge.
    static CStoreRect Read(CArchive& ar);

    // judgement
    bool IsEmpty() const { return right <= left || bottom <= top; }
    // Edges inside the coordinate range windows can have, and not inverted.
    bool IsPlausible() const;
    // A value inside the coordinate range windows can have.
    static bool IsCoordinate(int32_t value);

    bool operator==(const CStoreRect&) const = default;

    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};
