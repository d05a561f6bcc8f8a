// The selector's list of systems, read from the project and kept current by
// the commands that add, delete or rename a system (see systemlist.h). No
// window code: the selector itself is mainbars.cpp's.
#include "VlInterface/systemlist.h"
#include "VlInterface/shell.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include "support/memory.h"
#include "support/utf8.h"
#include <algorithm>
#include <cstddef>
#include <cstdio>

namespace {

constexpr size_t kNameRoom = 80;   // bytes of a name the selector shows, with its end
constexpr size_t kItemRoom = 100;  // bytes of "n: name", with its end

// The position of the first entry whose page is not below page.
size_t LowerBound(const SystemList& list, short page)
{
    const auto found = std::lower_bound(list.entries.begin(), list.entries.end(), page,
                                        [](const SystemEntry& entry, short wanted) { return entry.page < wanted; });
    return static_cast<size_t>(found - list.entries.begin());
}

}  // namespace

std::string SystemList_StoredName(short page)
{
    char name[kNameRoom] = {};
    if (!Kadmi_GetAttID(page, 0, Att_SystemName, nullptr, name, sizeof(name) - 1))
        name[0] = '\0';
    name[Utf8_FitLength(name, sizeof(name) - 1)] = '\0';
    return name;
}

std::string SystemList_NumberedName(int index, const std::string& name)
{
    char item[kItemRoom];
    std::snprintf(item, sizeof(item), "%u: %s", static_cast<unsigned>(index + 1), name.empty() ? "---" : name.c_str());
    return item;
}

void SystemList_Read(SystemList& list)
{
    list.entries.clear();
    if (!Project_IsOpen())
        return;
    short count = 0;
    short* pages = Kadmi_GetAllPages(&count);
    for (short i = 0; pages && i < count; ++i)
        list.entries.push_back({pages[i], SystemList_StoredName(pages[i])});
    Mem_Free(pages);
}

std::string SystemList_ItemText(const SystemList& list, int index)
{
    return SystemList_NumberedName(index, list.entries[static_cast<size_t>(index)].name);
}

short SystemList_PageAt(const SystemList& list, int index)
{
    return index >= 0 && static_cast<size_t>(index) < list.entries.size() ? list.entries[static_cast<size_t>(index)].page
                                                                         : short(0);
}

int SystemList_Position(const SystemList& list, short page)
{
    const size_t index = LowerBound(list, page);
    return page > 0 && index < list.entries.size() && list.entries[index].page == page ? static_cast<int>(index) : -1;
}

int SystemList_Insert(SystemList& list, short page)
{
    const size_t index = LowerBound(list, page);
    list.entries.insert(list.entries.begin() + static_cast<std::ptrdiff_t>(index), {page, SystemList_StoredName(page)});
    return static_cast<int>(index);
}

int SystemList_Remove(SystemList& list, short page)
{
    const int index = SystemList_Position(list, page);
    if (index >= 0)
        list.entries.erase(list.entries.begin() + index);
    return index;
}

int SystemList_Rename(SystemList& list, short page)
{
    const int index = SystemList_Position(list, page);
    if (index < 0)
        return -1;
    std::string name = SystemList_StoredName(page);
    SystemEntry& entry = list.entries[static_cast<size_t>(index)];
    if (name == entry.name)
        return -1;
    entry.name = std::move(name);
    return index;
}
