// The in-use mark of a project file and who holds it: the computer, user and
// process that set it. A mark of this computer whose process has ended was
// left by a program that did not close the file; a mark of another computer
// cannot be proven stale, so it is only named. Opening and closing decide
// what to do with a mark (files.cpp); this file reads, writes and judges it.
#include "kadmi_int.h"
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Fields of the holder text (attribute kAttInUseHolder), tab-separated.
enum HolderField { Field_Computer, Field_User, Field_Machine, Field_Process, Field_Started, Field_Date,
                   Field_Time, kHolderFields };
constexpr char kSeparator = '\t';

std::string Utf8Of(const wchar_t* text)
{
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1)
        return {};
    std::string out(size_t(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), bytes, nullptr, nullptr);
    out.resize(size_t(bytes - 1));
    for (char& c : out)
        if (c == kSeparator)
            c = ' ';
    return out;
}

std::string ComputerName()
{
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &size) ? Utf8Of(name) : std::string();
}

std::string UserName()
{
    constexpr DWORD kUserNameMax = 257;
    wchar_t name[kUserNameMax] = {};
    DWORD size = kUserNameMax;
    return GetUserNameW(name, &size) ? Utf8Of(name) : std::string();
}

// The installation's own id: two computers (or two Wine prefixes) that share
// a name still differ in it.
std::string MachineId()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Cryptography", 0, KEY_READ | KEY_WOW64_64KEY,
                      &key) != ERROR_SUCCESS)
        return {};
    char id[64] = {};
    DWORD size = sizeof id - 1, type = 0;
    LONG rc = RegQueryValueExA(key, "MachineGuid", nullptr, &type, reinterpret_cast<BYTE*>(id), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS && type == REG_SZ ? std::string(id) : std::string();
}

// When a process started: with its id, it names one process for good (ids
// are reused).
unsigned long long StartOf(HANDLE process)
{
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    return (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

// A holder as stored.
struct Holder {
    std::string fields[kHolderFields];
};

Holder OwnHolder()
{
    static const Holder own = [] {
        Holder h;
        h.fields[Field_Computer] = ComputerName();
        h.fields[Field_User] = UserName();
        h.fields[Field_Machine] = MachineId();
        h.fields[Field_Process] = std::to_string(GetCurrentProcessId());
        h.fields[Field_Started] = std::to_string(StartOf(GetCurrentProcess()));
        return h;
    }();
    Holder h = own;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    h.fields[Field_Date] = std::to_string(now.wYear * 10000L + now.wMonth * 100L + now.wDay);
    h.fields[Field_Time] = std::to_string(now.wHour * 10000L + now.wMinute * 100L + now.wSecond);
    return h;
}

std::string HolderText(const Holder& h)
{
    std::string text;
    for (int i = 0; i < kHolderFields; ++i)
        text.append(i ? 1 : 0, kSeparator).append(h.fields[i]);
    return text;
}

// False when text is not a holder of this form.
bool ParseHolder(const std::string& text, Holder* h)
{
    size_t start = 0;
    for (int i = 0; i < kHolderFields; ++i) {
        size_t end = i + 1 < kHolderFields ? text.find(kSeparator, start) : text.size();
        if (end == std::string::npos)
            return false;
        h->fields[i] = text.substr(start, end - start);
        start = end + 1;
    }
    return true;
}

bool SameComputer(const Holder& a, const Holder& b)
{
    const std::string& ma = a.fields[Field_Machine];
    const std::string& mb = b.fields[Field_Machine];
    if (!ma.empty() && !mb.empty())
        return ma == mb;
    return !a.fields[Field_Computer].empty() &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.fields[Field_Computer].c_str(), -1,
                          b.fields[Field_Computer].c_str(), -1) == CSTR_EQUAL;
}

bool SameProcess(const Holder& a, const Holder& b)
{
    return a.fields[Field_Process] == b.fields[Field_Process] && a.fields[Field_Started] == b.fields[Field_Started];
}

// Whether the process of a holder of this computer still runs. One that
// cannot be looked at (another user's) counts as running.
bool StillRuns(const Holder& h)
{
    DWORD id = strtoul(h.fields[Field_Process].c_str(), nullptr, 10);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE &&
                   std::to_string(StartOf(process)) == h.fields[Field_Started];
    CloseHandle(process);
    return running;
}

void CopyField(char* destination, size_t size, const std::string& value)
{
    snprintf(destination, size, "%s", value.c_str());
}

}  // namespace

InUseMark InUse_Read(short db)
{
    InUseMark mark;
    short flag = 0, count = 0;
    ddq_getstoredfield(db, kClass, kProjectKey, kAttInUse, &count, &flag, sizeof flag);
    mark.set = flag != 0;
    char text[kHolderTextMax] = {};
    if (ddq_getstoredfield(db, kClass, kProjectKey, kAttInUseHolder, &count, text, sizeof text))
        mark.holder = text;
    return mark;
}

short InUse_Write(short db)
{
    short one = 1;
    short rc = ddq_putstoredfield(db, kClass, kProjectKey, kAttInUse, &one, 1);
    if (rc < 0)
        return rc;
    std::string text = HolderText(OwnHolder());
    return ddq_putstoredfield(db, kClass, kProjectKey, kAttInUseHolder, text.c_str(), short(text.size()));
}

short InUse_Clear(short db)
{
    ddq_deletestoredfield(db, kClass, kProjectKey, kAttInUseHolder);
    return ddq_deletestoredfield(db, kClass, kProjectKey, kAttInUse);
}

KadmiHolderKind InUse_Judge(const InUseMark& mark, KadmiInUseHolder* out)
{
    if (out)
        *out = {};
    if (!mark.set)
        return KadmiHolder_None;
    Holder h;
    if (!ParseHolder(mark.holder, &h))
        return KadmiHolder_Unknown;
    if (out) {
        CopyField(out->computer, sizeof out->computer, h.fields[Field_Computer]);
        CopyField(out->user, sizeof out->user, h.fields[Field_User]);
        out->date = strtol(h.fields[Field_Date].c_str(), nullptr, 10);
        out->time = strtol(h.fields[Field_Time].c_str(), nullptr, 10);
    }
    const Holder own = OwnHolder();
    if (!SameComputer(h, own))
        return KadmiHolder_Held;
    if (SameProcess(h, own))
        return KadmiHolder_Own;
    return StillRuns(h) ? KadmiHolder_Held : KadmiHolder_Ended;
}
