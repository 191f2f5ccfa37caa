// The stored form of a window placement.
#include "app/CWindowPlacement.h"

#include "fw/CArchive.h"

namespace {
// WPF_SETMINPOSITION, WPF_RESTORETOMAXIMIZED and WPF_ASYNCWINDOWPLACEMENT.
constexpr uint32_t kKnownFlags = 0x7;
// SW_SHOWNORMAL to SW_FORCEMINIMIZE; SW_HIDE (0) would leave the user without a window.
constexpr uint32_t kFirstVisibleShow = 1;
constexpr uint32_t kLastShow = 11;

bool IsPlausiblePoint(const CWindowPlacement::Point& point)
{
    return CStoreRect::IsCoordinate(point.x) && CStoreRect::IsCoordinate(point.y);
}
}  // namespace

void CWindowPlacement::Write(CArchive& ar) const
{
    ar << length << flags << showCmd << ptMinPosition.x << ptMinPosition.y << ptMaxPosition.x
       << ptMaxPosition.y;
    rcNormalPosition.Write(ar);
}

CWindowPlacement CWindowPlacement::Read(CArchive& ar)
{
    CWindowPlacement placement;
    ar >> placement.length >> placement.flags >> placement.showCmd >> placement.ptMinPosition.x >>
        placement.ptMinPosition.y >> placement.ptMaxPosition.x >> placement.ptMaxPosition.y;
    placement.rcNormalPosition = CStoreRect::Read(ar);
    placement.length = kLength;
    placement.flags &= kKnownFlags;
    return placement;
}

bool CWindowPlacement::ReadIfUsable(CArchive& ar)
{
    const CWindowPlacement placement = Read(ar);
    if (!placement.IsUsable())
        return false;
    *this = placement;
    return true;
}

bool CWindowPlacement::IsUsable() const
{
    return showCmd >= kFirstVisibleShow && showCmd <= kLastShow && IsPlausiblePoint(ptMinPosition) &&
           IsPlausiblePoint(ptMaxPosition) && rcNormalPosition.IsPlausible() && !rcNormalPosition.IsEmpty();
}
