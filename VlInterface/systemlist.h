// The project's systems as the system selector lists them, as plain data:
// every page in the project's order (ascending page numbers) with its name.
// The selector shows this list and is never read back; mainbars.cpp keeps
// the control in step with it.
#pragma once
#include <string>
#include <vector>

struct SystemEntry {
    short page = 0;
    std::string name;   // as stored, cut to the selector's room; empty without one
};

struct SystemList {
    std::vector<SystemEntry> entries;
};

// The name page stores, cut to the selector's room; empty without one.
std::string SystemList_StoredName(short page);
// "3: Steam line": a system at 0-based position index with its name, or
// "3: ---" without one.
std::string SystemList_NumberedName(int index, const std::string& name);

// Lists every page of the open project with its name; empty without a project.
void SystemList_Read(SystemList& list);
// The entry at position index as the selector shows it.
std::string SystemList_ItemText(const SystemList& list, int index);
// The page at position index, 0 when there is none.
short SystemList_PageAt(const SystemList& list, int index);
// The position of page, -1 when it is not listed.
int SystemList_Position(const SystemList& list, short page);
// Lists page (not listed yet) at its place among the others, named as stored
// (a new page comes last); its position.
int SystemList_Insert(SystemList& list, short page);
// Drops page; the position it had, -1 when it was not listed.
int SystemList_Remove(SystemList& list, short page);
// Names page's entry as the page stores it now; its position when the name
// changed, -1 when it did not or page is not listed.
int SystemList_Rename(SystemList& list, short page);
