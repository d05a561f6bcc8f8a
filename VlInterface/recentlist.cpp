// The recent-file list as plain data (see recentlist.h).
#include "VlInterface/recentlist.h"
#include <windows.h>
#include <algorithm>

namespace {

std::wstring Wide(const std::string& text)
{
    int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

} // namespace

// File names compare as the file system does: each character upper-cased.
bool RecentList_SameName(const std::string& a, const std::string& b)
{
    std::wstring wa = Wide(a), wb = Wide(b);
    return CompareStringOrdinal(wa.data(), static_cast<int>(wa.size()), wb.data(), static_cast<int>(wb.size()),
                                TRUE) == CSTR_EQUAL;
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
