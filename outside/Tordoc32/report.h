// The report of the viewer: a plain Windows metafile read from disk, checked
// record by record, and split into pages at its "B", "F" and "E" comments.
// Plays one page onto any device context; knows nothing of windows.
#pragma once
#include <windows.h>
#include <cstdint>
#include <vector>

// Logical size of the report page: portrait A4 in 0.1 mm.
constexpr int ReportPageWidth = 2100;
constexpr int ReportPageHeight = 2970;

enum class ReportStatus { Ok, Missing, Damaged };

// Records [first, end) of the metafile, counted without the header.
struct ReportPage {
    size_t first = 0;
    size_t end = 0;
};

// How a record takes part in playing a page.
enum class RecordRole : uint8_t {
    Setup,      // before "B": played for every page
    State,      // changes the DC state: played for every page up to its end
    Drawing,    // played only on its own page
    Skipped,    // comments, escapes, mapping records and records whose counts
                // run past them: never played
};

// Owns the metafile handle.
struct MetafileHandle {
    HMETAFILE handle = nullptr;
    MetafileHandle() = default;
    MetafileHandle(const MetafileHandle&) = delete;
    MetafileHandle& operator=(const MetafileHandle&) = delete;
    MetafileHandle(MetafileHandle&& other) noexcept : handle(other.handle) { other.handle = nullptr; }
    MetafileHandle& operator=(MetafileHandle&& other) noexcept;
    ~MetafileHandle();
};

struct Report {
    MetafileHandle metafile;
    std::vector<uint16_t> functions;    // record functions, in order, EOF excluded
    std::vector<RecordRole> roles;      // role of each record outside its page
    // For a state record, the next record that sets the same state again
    // (a later text alignment, a later font selected), SIZE_MAX when none
    // does: a page needs the state records of the pages before it only
    // while they are in force, so a long report's last page does not
    // replay every selection of the pages before it.
    std::vector<size_t> supersededAt;
    std::vector<ReportPage> pages;      // at least one when loaded
};

// Reads and checks the metafile at `path` and splits it into pages. On Ok the
// report holds at least one page; otherwise it is left empty.
ReportStatus Report_Load(const char* path, Report& report);

// Checks metafile bytes and splits them (Report_Load without the file).
ReportStatus Report_LoadBytes(std::vector<uint8_t> bytes, Report& report);

// Plays page `page` (0-based) with its logical page 2100 x 2970 stretched onto
// `target` (device coordinates of `dc`). The DC's state is restored afterwards.
// Returns false for a page that does not exist or a failed enumeration.
bool Report_PlayPage(const Report& report, HDC dc, size_t page, const RECT& target);
