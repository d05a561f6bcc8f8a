// Writes parsed records into a new database file through the engine.
#pragma once
#include "tools/tabfile.h"

namespace tab {

// Makes the database at dbPath anew under the schema at schemaPath and stores
// every record. On failure removes the half-made file and throws Error naming
// the source line of the record or attribute the engine refused.
void WriteDatabase(const std::string& schemaPath, const std::string& dbPath,
                   const std::vector<Record>& records);

// A path given in Unix form ("/work/...") as Wine sees it ("Z:\work\...");
// other paths unchanged.
std::string HostPath(const std::string& path);

}  // namespace tab
