// Reading the report metafile: the bytes are checked record by record before
// GDI sees them, the "B", "F" and "E" comments split them into pages, and a
// page is played through EnumMetaFile with the records that belong to it.
#include "outside/Tordoc32/report.h"
#include "outside/Tordoc32/metatext.h"
#include "outside/Tordoc32/recordcheck.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint16_t MetaEof = 0x0000;
constexpr size_t HeaderBytes = sizeof(METAHEADER);
constexpr uint64_t LargestReport = 256u * 1024 * 1024;

static_assert(sizeof(METAHEADER) == 18, "metafile header is 18 bytes");

// Records that only change the state of the DC: a page needs those of the
// pages before it (a pen selected on page 1 is still selected on page 2).
constexpr uint16_t StateRecords[] = {
    META_SETBKCOLOR, META_SETBKMODE, META_SETROP2, META_SETRELABS,
    META_SETPOLYFILLMODE, META_SETSTRETCHBLTMODE, META_SETTEXTCHAREXTRA,
    META_SETTEXTCOLOR, META_SETTEXTJUSTIFICATION, META_SETTEXTALIGN,
    META_SETMAPPERFLAGS, META_MOVETO, META_EXCLUDECLIPRECT,
    META_INTERSECTCLIPRECT, META_OFFSETCLIPRGN, META_SELECTCLIPREGION,
    META_SELECTOBJECT, META_SELECTPALETTE, META_REALIZEPALETTE,
    META_SETPALENTRIES, META_ANIMATEPALETTE, META_RESIZEPALETTE,
    META_DELETEOBJECT, META_CREATEPALETTE, META_DIBCREATEPATTERNBRUSH,
    META_CREATEPATTERNBRUSH, META_CREATEPENINDIRECT, META_CREATEFONTINDIRECT,
    META_CREATEBRUSHINDIRECT, META_CREATEREGION,
};

// Records never played: the viewer owns the mapping, SaveDC and RestoreDC
// could pop its own saved state, and escapes are meant for other devices.
constexpr uint16_t SkippedRecords[] = {
    META_SETMAPMODE, META_SETWINDOWORG, META_SETWINDOWEXT, META_SETVIEWPORTORG,
    META_SETVIEWPORTEXT, META_OFFSETWINDOWORG, META_SCALEWINDOWEXT,
    META_OFFSETVIEWPORTORG, META_SCALEVIEWPORTEXT, META_SAVEDC, META_RESTOREDC,
    META_ESCAPE,
};

template <size_t N>
bool IsOneOf(uint16_t function, const uint16_t (&set)[N])
{
    return std::find(std::begin(set), std::end(set), function) != std::end(set);
}

RecordRole RoleOf(uint16_t function)
{
    if (IsOneOf(function, SkippedRecords)) return RecordRole::Skipped;
    if (IsOneOf(function, StateRecords)) return RecordRole::State;
    return RecordRole::Drawing;
}

uint16_t ReadU16(const std::vector<uint8_t>& bytes, size_t offset)
{
    uint16_t value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

uint32_t ReadU32(const std::vector<uint8_t>& bytes, size_t offset)
{
    uint32_t value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

// One checked record: its function, for a page comment its letter, and
// whether its parameters are whole enough to be played.
struct RecordView {
    uint16_t function = 0;
    uint16_t firstParameter = 0;    // an object's index for SELECTOBJECT and DELETEOBJECT
    char mark = 0;
    bool playable = true;
};

// The letter of a one-byte MFCOMMENT escape record at `offset`, or 0.
char CommentMark(const std::vector<uint8_t>& bytes, size_t offset, uint32_t words)
{
    if (words < 6) return 0;
    if (ReadU16(bytes, offset + 6) != MFCOMMENT || ReadU16(bytes, offset + 8) != 1) return 0;
    char mark = static_cast<char>(bytes[offset + 10]);
    return (mark == 'B' || mark == 'F' || mark == 'E') ? mark : 0;
}

bool HeaderIsSound(const std::vector<uint8_t>& bytes)
{
    if (bytes.size() < HeaderBytes) return false;
    uint16_t type = ReadU16(bytes, 0);
    uint16_t headerWords = ReadU16(bytes, 2);
    uint16_t version = ReadU16(bytes, 4);
    return (type == 1 || type == 2) && headerWords == HeaderBytes / 2 &&
           (version == 0x100 || version == 0x300);
}

// Walks the records up to the end record; false when one is cut off or runs
// past the file. A record whose own counts run past it is kept but marked
// unplayable: the rest of the report can still be shown. `length` receives
// the byte length up to and with the end record.
bool WalkRecords(const std::vector<uint8_t>& bytes, std::vector<RecordView>& records, size_t& length)
{
    const uint16_t objects = ReadU16(bytes, 10);
    size_t offset = HeaderBytes;
    while (offset + 6 <= bytes.size()) {
        uint32_t words = ReadU32(bytes, offset);
        uint16_t function = ReadU16(bytes, offset + 4);
        if (words < 3 || words > (bytes.size() - offset) / 2) return false;
        if (function == MetaEof) {
            length = offset + size_t{words} * 2;
            return true;
        }
        RecordView record;
        record.function = function;
        if (words >= 4) record.firstParameter = ReadU16(bytes, offset + 6);
        record.playable = RecordCheck_ParametersFit(function, bytes.data() + offset + 6, size_t{words} * 2 - 6, objects);
        if (function == META_ESCAPE) record.mark = CommentMark(bytes, offset, words);
        records.push_back(record);
        offset += size_t{words} * 2;
    }
    return false;
}

// State set by a record that a later record of the same kind replaces: the
// simple settings by their function; a selected object by its kind, known
// from the record that made the object. 0 for state that only adds up
// (objects made and deleted, clipping, palettes): always in force.
constexpr uint16_t LastOneCounts[] = {
    META_SETBKCOLOR, META_SETBKMODE, META_SETROP2, META_SETRELABS, META_SETPOLYFILLMODE,
    META_SETSTRETCHBLTMODE, META_SETTEXTCHAREXTRA, META_SETTEXTCOLOR, META_SETTEXTJUSTIFICATION,
    META_SETTEXTALIGN, META_SETMAPPERFLAGS, META_MOVETO,
};

bool MakesObject(uint16_t function)
{
    switch (function) {
    case META_CREATEPALETTE: case META_DIBCREATEPATTERNBRUSH: case META_CREATEPATTERNBRUSH:
    case META_CREATEPENINDIRECT: case META_CREATEFONTINDIRECT: case META_CREATEBRUSHINDIRECT:
    case META_CREATEREGION:
        return true;
    }
    return false;
}

// The kind of object a record makes: brushes of any making are one kind.
uint16_t ObjectKind(uint16_t function)
{
    bool brush = function == META_DIBCREATEPATTERNBRUSH || function == META_CREATEPATTERNBRUSH;
    return brush ? META_CREATEBRUSHINDIRECT : function;
}

// Follows the object table as a player fills it (a new object takes the
// lowest free index) to tell what kind of object each selection selects.
void FindSuperseded(const std::vector<RecordView>& records, Report& report)
{
    std::vector<uint16_t> table;        // object kind at each index, 0 when free
    auto key = [&table](const RecordView& r) -> uint32_t {
        if (IsOneOf(r.function, LastOneCounts)) return r.function;
        if (r.function == META_SELECTOBJECT && r.firstParameter < table.size() && table[r.firstParameter])
            return 0x10000u | table[r.firstParameter];
        return 0;
    };
    std::vector<std::pair<uint32_t, size_t>> last;
    report.supersededAt.assign(records.size(), SIZE_MAX);
    for (size_t i = 0; i < records.size(); ++i) {
        const RecordView& r = records[i];
        if (!r.playable) continue;
        if (uint32_t k = key(r)) {
            auto found = std::find_if(last.begin(), last.end(), [k](const auto& entry) { return entry.first == k; });
            if (found == last.end()) {
                last.emplace_back(k, i);
            } else {
                report.supersededAt[found->second] = i;
                found->second = i;
            }
        } else if (MakesObject(r.function)) {
            auto free = std::find(table.begin(), table.end(), uint16_t{0});
            if (free == table.end()) free = table.insert(table.end(), uint16_t{0});
            *free = ObjectKind(r.function);
        } else if (r.function == META_DELETEOBJECT && r.firstParameter < table.size()) {
            table[r.firstParameter] = 0;
        }
    }
}

bool PageHasDrawing(const Report& report, const ReportPage& page)
{
    for (size_t i = page.first; i < page.end; ++i)
        if (report.roles[i] == RecordRole::Drawing) return true;
    return false;
}

// Splits at the comments: the first mark, when it is "B", ends the set-up;
// "F" begins a page, "E" ends the last one. Pages without drawing are dropped,
// but a report always keeps one page.
void SplitPages(const std::vector<RecordView>& records, Report& report)
{
    size_t setupEnd = 0;
    size_t pageStart = 0;
    bool sawMark = false;
    bool ended = false;
    std::vector<ReportPage> pages;
    for (size_t i = 0; i < records.size() && !ended; ++i) {
        char mark = records[i].mark;
        if (!mark) continue;
        if (mark == 'B' && !sawMark) {
            setupEnd = pageStart = i + 1;
        } else if (mark == 'F' || mark == 'E') {
            pages.push_back({pageStart, i});
            pageStart = i + 1;
            ended = mark == 'E';
        }
        sawMark = true;
    }
    if (!ended) pages.push_back({pageStart, records.size()});

    report.functions.clear();
    report.roles.clear();
    for (size_t i = 0; i < records.size(); ++i) {
        RecordRole role = records[i].playable ? RoleOf(records[i].function) : RecordRole::Skipped;
        if (i < setupEnd && role != RecordRole::Skipped) role = RecordRole::Setup;
        report.functions.push_back(records[i].function);
        report.roles.push_back(role);
    }
    FindSuperseded(records, report);
    report.pages.clear();
    for (const ReportPage& page : pages)
        if (PageHasDrawing(report, page)) report.pages.push_back(page);
    if (report.pages.empty()) report.pages.push_back(pages.front());
}

// Owns a file handle.
struct FileHandle {
    HANDLE handle;
    explicit FileHandle(HANDLE h) : handle(h) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle); }
};

ReportStatus ReadWholeFile(const char* path, std::vector<uint8_t>& bytes)
{
    if (!path || !*path) return ReportStatus::Missing;
    FileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.handle == INVALID_HANDLE_VALUE) return ReportStatus::Missing;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.handle, &size) || size.QuadPart < 0 ||
        static_cast<uint64_t>(size.QuadPart) > LargestReport)
        return ReportStatus::Damaged;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size()))
        return ReportStatus::Damaged;
    return ReportStatus::Ok;
}

struct PlayContext {
    const Report* report;
    const ReportPage* page;
    size_t index;
    bool sound;
};

bool PlaysOnPage(const Report& report, const ReportPage& page, size_t i)
{
    switch (report.roles[i]) {
    case RecordRole::Setup: return true;
    case RecordRole::State: return i >= page.first || report.supersededAt[i] >= page.first;
    case RecordRole::Drawing: return i >= page.first;
    case RecordRole::Skipped: return false;
    }
    return false;
}

int CALLBACK PlayRecord(HDC dc, HANDLETABLE* table, METARECORD* record, int objects, LPARAM data)
{
    auto& context = *reinterpret_cast<PlayContext*>(data);
    const Report& report = *context.report;
    size_t i = context.index++;
    if (i >= report.functions.size() || report.functions[i] != record->rdFunction) {
        context.sound = false;
        return 0;
    }
    if (i >= context.page->end) return 0;
    if (PlaysOnPage(report, *context.page, i) && !MetaText_PlayUtf8(dc, record))
        PlayMetaFileRecord(dc, table, record, objects);
    return 1;
}

} // namespace

MetafileHandle& MetafileHandle::operator=(MetafileHandle&& other) noexcept
{
    if (this != &other) {
        if (handle) DeleteMetaFile(handle);
        handle = other.handle;
        other.handle = nullptr;
    }
    return *this;
}

MetafileHandle::~MetafileHandle()
{
    if (handle) DeleteMetaFile(handle);
}

ReportStatus Report_LoadBytes(std::vector<uint8_t> bytes, Report& report)
{
    report = Report{};
    std::vector<RecordView> records;
    size_t length = 0;
    if (!HeaderIsSound(bytes) || !WalkRecords(bytes, records, length)) return ReportStatus::Damaged;
    bytes.resize(length);
    // GDI takes only memory metafiles of version 3; the records are the same.
    METAHEADER header;
    std::memcpy(&header, bytes.data(), sizeof header);
    header.mtType = 1;
    header.mtVersion = 0x300;
    header.mtSize = static_cast<DWORD>(length / 2);
    std::memcpy(bytes.data(), &header, sizeof header);
    MetafileHandle metafile;
    metafile.handle = SetMetaFileBitsEx(static_cast<UINT>(length), bytes.data());
    if (!metafile.handle) return ReportStatus::Damaged;
    SplitPages(records, report);
    report.metafile = std::move(metafile);
    return ReportStatus::Ok;
}

ReportStatus Report_Load(const char* path, Report& report)
{
    report = Report{};
    std::vector<uint8_t> bytes;
    ReportStatus status = ReadWholeFile(path, bytes);
    if (status != ReportStatus::Ok) return status;
    return Report_LoadBytes(std::move(bytes), report);
}

bool Report_PlayPage(const Report& report, HDC dc, size_t page, const RECT& target)
{
    if (!report.metafile.handle || page >= report.pages.size()) return false;
    int saved = SaveDC(dc);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetWindowExtEx(dc, ReportPageWidth, ReportPageHeight, nullptr);
    SetViewportOrgEx(dc, target.left, target.top, nullptr);
    SetViewportExtEx(dc, target.right - target.left, target.bottom - target.top, nullptr);
    IntersectClipRect(dc, 0, 0, ReportPageWidth, ReportPageHeight);
    SetBkMode(dc, TRANSPARENT);
    PlayContext context{&report, &report.pages[page], 0, true};
    EnumMetaFile(dc, report.metafile.handle, PlayRecord, reinterpret_cast<LPARAM>(&context));
    RestoreDC(dc, saved);
    return context.sound;
}
