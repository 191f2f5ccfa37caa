// The stored form of a rectangle.
#include "app/CStoreRect.h"

#include "fw/CArchive.h"

namespace {
// Window coordinates beyond this are either damage or would put a window where no screen is.
constexpr int32_t kCoordinateLimit = 32767;
}  // namespace

bool CStoreRect::IsCoordinate(int32_t value)
{
    return value >= -kCoordinateLimit && value <= kCoordinateLimit;
}

void CStoreRect::Write(CArchive& ar) const
{
    ar << left << top << right << bottom;
}

CStoreRect CStoreRect::Read(CArchive& ar)
{
    CStoreRect rect;
    ar >> rect.left >> rect.top >> rect.right >> rect.bottom;
    return rect;
}

bool CStoreRect::IsPlausible() const
{
    return IsCoordinate(left) && IsCoordinate(top) && IsCoordinate(right) && IsCoordinate(bottom) &&
           left <= right && top <= bottom;
}
