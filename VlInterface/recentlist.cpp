// The recent-file list as plain data (see recentlist.h).
#include "VlInterface/recentlist.h"
#include <windows.h>
#include <algorithm>

bool RecentList_SameName(const std::string& a, const std::string& b)
{
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                          b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

void RecentList_Promote(std::vector<std::string>& list, const std::string& name, size_t limit)
{
    auto found = std::find_if(list.begin(), list.end(),
                              [&](const std::string& entry) { return RecentList_SameName(entry, name); });
    if (found != list.end()) {
        std::rotate(list.begin(), found, found + 1);
        return;
    }
    list.insert(list.begin(), name);
    if (list.size() > limit)
        list.resize(limit);
}
