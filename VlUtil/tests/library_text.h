// Test helper: a language text as VlUtil.dll gives it, read through a handle
// of the test's own on the texts beside the library.
#pragma once
#include <windows.h>
#include "outside/Lexmo100/lexmo.h"
#include <string>

inline std::string LibraryText(TextId id, LanguageId language = kLangEnglish)
{
    char path[MAX_PATH];
    GetModuleFileNameA(GetModuleHandleA("VlUtil.dll"), path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of("\\/") + 1);
    short handle = TextAPI_Open((folder + "TextAPI.db").c_str(), (folder + "TextAPI.ddq").c_str());
    TextAPI_SetLanguage(handle, language);
    std::string text = TextAPI_GetText(handle, id);
    TextAPI_Close(handle);
    return text;
}
