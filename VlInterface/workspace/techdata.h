// Private to the workspace: reads of the technical databases that the
// shared lists need, with the other-insulation and weather databases held
// open for the length of one holder, and the list-filling helpers.
#pragma once
#include "VlInterface/workspace/productlist.h"
#include "VlTechDatabase/vltechdb.h"
#include "support/utf8.h"
#include <cstring>
#include <string>
#include <vector>

// Copies text into a list field, cut on a character boundary; NULL gives "".
template <size_t N>
void ListField_Copy(char (&field)[N], const char* text)
{
    Utf8_CopyCut(field, N, text);
}

// Clears all kProductListSize entries of a list.
inline void ProductList_Clear(ProductListEntry* list)
{
    std::memset(list, 0, sizeof(ProductListEntry) * kProductListSize);
}

// Files that stored a location by its position alone counted the first 199
// weather records in the order of their keys as text.
constexpr size_t kStoredPositionLimit = 199;

// Opens the other-insulation or weather database for reading; closes it
// when destroyed. handle() is negative when the database is missing.
class TechDbReading {
public:
    enum class Which { OtherInsulation, Weather };
    explicit TechDbReading(Which which);
    ~TechDbReading();
    TechDbReading(const TechDbReading&) = delete;
    TechDbReading& operator=(const TechDbReading&) = delete;
    TechDbHandle handle() const { return handle_; }

private:
    Which which_;
    TechDbHandle handle_;
};

// The texts of a list attribute of elements of elementSize bytes (such as the
// 99-byte type keys of "ALLTYPES"), each without trailing blanks. false when
// the record or attribute is absent.
bool TechData_Texts(TechDbHandle db, const char* recordClass, const char* key, short att, size_t elementSize,
                    std::vector<std::string>* texts);

// The keys of every record of a class, in the database's order (at most
// limit of them).
std::vector<std::string> TechData_Keys(TechDbHandle db, const char* recordClass, size_t limit);

// The keys of every record of a class by their numbers, as a user reads
// them (2 before 10); keys that are no number follow in the database's order.
std::vector<std::string> TechData_KeysByNumber(TechDbHandle db, const char* recordClass);
