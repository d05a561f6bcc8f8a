// vldatac: the data compiler. Reads table sources and writes one database
// under a schema:  vldatac <schema> <output database> <source.tab>...
// A faulty source ends the run with a message naming file and line.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/dbwriter.h"
#include "tools/schemasizes.h"
#include "tools/tabfile.h"

int main(int argc, char** argv)
{
    if (argc == 2 && std::string(argv[1]) == "--version") {
        std::puts("vldatac 1");
        return 0;
    }
    if (argc < 4) {
        std::fputs("usage: vldatac <schema> <output database> <source.tab>...\n", stderr);
        return 2;
    }
    // A stale database must not outlive a refused source.
    DeleteFileA(tab::HostPath(argv[2]).c_str());
    try {
        std::vector<tab::Record> records;
        for (int i = 3; i < argc; ++i) {
            std::vector<tab::Record> some;
            tab::ParseFile(tab::HostPath(argv[i]), argv[i], some);
            records.insert(records.end(), some.begin(), some.end());
        }
        records = tab::Merge(std::move(records));
        tab::ApplySchemaSizes(tab::ReadSchemaSizes(tab::HostPath(argv[1]), argv[1]), records);
        tab::WriteDatabase(tab::HostPath(argv[1]), tab::HostPath(argv[2]), records);
        std::printf("%s: %zu records\n", argv[2], records.size());
        return 0;
    } catch (const tab::Error& e) {
        std::fprintf(stderr, "error: %s\n", e.message.c_str());
        return 1;
    }
}
