// The recent-file list in the settings: "Recent File List\File1" (the most
// recent) to File8. Entries are read whole, however long, so that rewriting
// the list never drops one.
#include "VlInterface/recentlist.h"
#include "VlInterface/shell.h"
#include "support/memory.h"
#include "support/settings.h"

namespace {

std::string EntryPath(int i)
{
    return "Recent File List\\File" + std::to_string(i);
}

std::vector<std::string> ReadList()
{
    std::vector<std::string> list;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        std::string name = RecentFiles_Read(i);
        if (name.empty())
            break;
        list.push_back(std::move(name));
    }
    return list;
}

void WriteList(const std::vector<std::string>& list)
{
    for (int i = 1; i <= kRecentFileCount; ++i) {
        std::string path = EntryPath(i);
        if (static_cast<size_t>(i) <= list.size())
            Settings_WriteString(nullptr, path.c_str(), list[i - 1].c_str());
        else
            Settings_DeleteValue(nullptr, path.c_str());
    }
}

} // namespace

std::string RecentFiles_Read(int i)
{
    long size = 0;
    char* value = static_cast<char*>(Settings_Read(nullptr, EntryPath(i).c_str(), &size, nullptr, 0));
    if (!value)
        return {};
    std::string name(value, size > 0 ? static_cast<size_t>(size) : 0);
    Mem_Free(value);
    name.resize(name.find('\0') == std::string::npos ? name.size() : name.find('\0'));
    return name;
}

int RecentFiles_Add(HWND, const char* name)
{
    if (!name)
        return -1;
    if (!*name)
        return -2;
    std::vector<std::string> list = ReadList();
    RecentList_Promote(list, name, kRecentFileCount);
    WriteList(list);
    return 0;
}

void RecentFiles_Remove(const char* name)
{
    std::vector<std::string> list = ReadList();
    std::erase_if(list, [name](const std::string& entry) { return RecentList_SameName(entry, name); });
    WriteList(list);
}
