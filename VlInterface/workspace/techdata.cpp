// Technical database reads of the workspace's shared lists: list attributes
// of fixed-size texts, the keys of a class, and the bracketing open and close
// of the editable databases.
#include "VlInterface/workspace/techdata.h"
#include "support/strings.h"
#include <algorithm>
#include <cstdlib>
#include <limits>
#include <memory>

TechDbReading::TechDbReading(Which which)
    : which_(which),
      handle_(which == Which::Weather ? TechDbWeather_Open(0) : TechDbOtherInsulation_Open(0))
{
}

TechDbReading::~TechDbReading()
{
    if (handle_ < 0)
        return;
    if (which_ == Which::Weather)
        TechDbWeather_Close(0);
    else
        TechDbOtherInsulation_Close(0);
}

bool TechData_Texts(TechDbHandle db, const char* recordClass, const char* key, short att, size_t elementSize,
                    std::vector<std::string>* texts)
{
    texts->clear();
    short count = 0;
    std::unique_ptr<void, void* (__stdcall*)(void*)> value(
        TechDb_GetAtt(db, recordClass, key, att, &count, nullptr, 0), TechDb_ReleaseAtt);
    if (!value)
        return false;
    const auto* bytes = static_cast<const char*>(value.get());
    for (short i = 0; i < count; ++i) {
        const char* element = bytes + static_cast<size_t>(i) * elementSize;
        std::string text(element, strnlen(element, elementSize));
        text.resize(static_cast<size_t>(Str_TrimmedLength(text.c_str(), static_cast<int>(text.size()))));
        texts->push_back(std::move(text));
    }
    return true;
}

std::vector<std::string> TechData_Keys(TechDbHandle db, const char* recordClass, size_t limit)
{
    std::vector<std::string> keys;
    TechRecord* record = TechDb_FindFirst(db, recordClass);
    while (record && keys.size() < limit) {
        const char* key = TechRec_GetID(db, record);
        TechDb_ReleaseRec(record);
        if (!key)
            break;
        keys.emplace_back(key);
        record = TechDb_FindNext(db, recordClass, keys.back().c_str());
    }
    if (record)
        TechDb_ReleaseRec(record);
    return keys;
}

std::vector<std::string> TechData_KeysByNumber(TechDbHandle db, const char* recordClass)
{
    std::vector<std::string> keys = TechData_Keys(db, recordClass, std::numeric_limits<size_t>::max());
    auto number = [](const std::string& key) {
        char* end = nullptr;
        const long value = std::strtol(key.c_str(), &end, 10);
        return !key.empty() && *end == '\0' ? value : std::numeric_limits<long>::max();
    };
    std::stable_sort(keys.begin(), keys.end(),
                     [&](const std::string& a, const std::string& b) { return number(a) < number(b); });
    return keys;
}
