// The weather location as the project stores it: by the key of its weather
// record, so that locations added to or removed from the weather data never
// move a system to another place. The pages work with positions in the
// location list (the records by number); the record translates on load and
// store.
#include "VlInterface/workspace/calcdata.h"
#include "VlInterface/workspace/techdata.h"
#include "support/utf8.h"

namespace {

std::vector<std::string> LocationKeys()
{
    TechDbReading weather(TechDbReading::Which::Weather);
    return Location_Keys(weather.handle());
}

}  // namespace

std::vector<std::string> Location_Keys(TechDbHandle weather)
{
    std::vector<std::string> keys = TechData_KeysByNumber(weather, "WD");
    if (keys.size() > static_cast<size_t>(kUserNumberLast) + 1)
        keys.resize(static_cast<size_t>(kUserNumberLast) + 1);   // what the lists hold
    return keys;
}

void Location_KeyOfPosition(int16_t position, char* key, int size)
{
    if (!key || size < 1)
        return;
    key[0] = '\0';
    const std::vector<std::string> keys = position >= 0 ? LocationKeys() : std::vector<std::string>();
    if (position >= 0 && static_cast<size_t>(position) < keys.size())
        Utf8_CopyCut(key, static_cast<size_t>(size), keys[static_cast<size_t>(position)].c_str());
}

int16_t Location_OfLoaded(const char* key, int16_t position)
{
    if (key && key[0]) {
        const int16_t found = Location_PositionOfKey(key);
        return found == kLocationUserConditions ? static_cast<int16_t>(kLocationRemoved) : found;
    }
    if (position < 0)
        return kLocationUserConditions;
    std::vector<std::string> stored;
    {
        TechDbReading weather(TechDbReading::Which::Weather);
        stored = TechData_Keys(weather.handle(), "WD", kStoredPositionLimit);
    }
    if (static_cast<size_t>(position) >= stored.size())
        return kLocationUserConditions;
    return Location_PositionOfKey(stored[static_cast<size_t>(position)].c_str());
}

int16_t Location_PositionOfKey(const char* key)
{
    if (!key || !key[0])
        return kLocationUserConditions;
    const std::vector<std::string> keys = LocationKeys();
    for (size_t i = 0; i < keys.size(); ++i)
        if (keys[i] == key)
            return static_cast<int16_t>(i);
    return kLocationUserConditions;
}
