// The order of the sub-folders of one tree level.
#include "treepane/CFolderOrder.h"

#include <algorithm>
#include <numeric>

#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "app/SortSettings.h"
#include "folderdata/CFolderWalk.h"
#include "services/CSortCompare.h"
#include "services/CSortDirection.h"

std::string CFolderOrder::NameKeyOf(const Item& item)
{
    // Each item decides for itself whether its letter or its name counts, so that comparing a
    // with b and b with a always agree even on a level that mixes drives and other items.
    const std::string& text = CFolderKeys::IsDriveRoot(item.path) ? item.path.substr(0, 1) : item.name;
    return CSortCompare::LowerName(text);
}

uint64_t CFolderOrder::CountKeyOf(int32_t count)
{
    // Widened with an offset, so that a negative count read from a damaged store file sorts below
    // zero instead of above every real count.
    return static_cast<uint64_t>(int64_t{count} - INT32_MIN);
}

int CFolderOrder::Compare(int32_t key, bool ascending, const Item& a, const Item& b)
{
    const CSizeInfo& x = a.totals;
    const CSizeInfo& y = b.totals;
    switch (key) {
    case kFolderSortByName:
        return CSortCompare::CompareNames(ascending, NameKeyOf(a), NameKeyOf(b));
    case kFolderSortBySize:
        return CSortCompare::CompareSizes(ascending, x.m_nSize, y.m_nSize);
    case kFolderSortByModified:
        return CSortCompare::CompareTimes(ascending, x.m_tModified, y.m_tModified);
    case kFolderSortByLastRead:
        return CSortCompare::CompareTimes(ascending, x.m_tAccessed, y.m_tAccessed);
    case kFolderSortByCreated:
        return CSortCompare::CompareTimes(ascending, x.m_tCreated, y.m_tCreated);
    case kFolderSortByFolderCount:
        return CSortCompare::CompareSizes(ascending, CountKeyOf(x.m_nFolders), CountKeyOf(y.m_nFolders));
    case kFolderSortByFileCount:
        return CSortCompare::CompareSizes(ascending, CountKeyOf(x.m_nFiles), CountKeyOf(y.m_nFiles));
    default:
        return 0;
    }
}

std::vector<std::size_t> CFolderOrder::Order(const std::vector<Item>& items, int32_t key, bool ascending)
{
    std::vector<std::size_t> order(items.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return Compare(key, ascending, items[a], items[b]) < 0;
    });
    return order;
}

bool CFolderOrder::SelectKey(CAppCore& app, int32_t key)
{
    app.m_nFolderSortKey = key;
    DirectionRule().Choose(key, g_nFolderSortDirection);
    return g_nFolderSortDirection != 0;
}

CSortDirection& CFolderOrder::DirectionRule()
{
    static CSortDirection rule;
    return rule;
}
