// The list of recently used project files as plain data: the most recent
// first, at most eight names, names compared without regard to letter case.
// Reading and writing the list in the settings is recentfiles.cpp's job.
#pragma once
#include <string>
#include <vector>

// Names equal without regard to letter case, letters beyond ASCII included.
bool RecentList_SameName(const std::string& a, const std::string& b);

// The File menu's caption of entry `number` (1 up): "&1 : " and the path,
// a long path shortened in its middle with "…" so that its file name shows,
// every "&" of the path shown as itself.
std::string RecentList_MenuCaption(int number, const std::string& path);

// Moves name to the top of list: an entry equal to it moves up and the
// entries above it shift down; a new name goes on top and the list keeps at
// most `limit` entries.
void RecentList_Promote(std::vector<std::string>& list, const std::string& name, size_t limit);
