// The registry settings store: user root with the machine root as read-only
// default, typed values by "Section\Name" path, and window placements.
// Every read hands back terminated text; writes never reach the machine root.
#include "support/settings.h"
#include "support/memory.h"
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr size_t PathMax = 259;          // longest value path
constexpr int RingSlots = 10;
constexpr size_t RingSlotSize = 256;
constexpr size_t NumberTextSize = 41;    // texts of numbers: 40 bytes and the terminator

// State of the settings store of this module.
struct SettingsGlobals {
    HKEY userRoot = nullptr;       // HKEY_CURRENT_USER\Software\..., full access
    HKEY machineRoot = nullptr;    // HKEY_LOCAL_MACHINE\Software\..., read only
    char ring[RingSlots][RingSlotSize] = {};
    int ringIndex = RingSlots - 1; // the first read takes slot 0
};

SettingsGlobals& Settings()
{
    static SettingsGlobals globals;
    return globals;
}

// Owns one open registry key.
class RegKey {
public:
    RegKey() = default;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    ~RegKey() { reset(); }
    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }
    void reset()
    {
        if (key_)
            RegCloseKey(key_);
        key_ = nullptr;
    }

private:
    HKEY key_ = nullptr;
};

// A value path split into the subkey below the root and the value name.
struct ValuePath {
    char subkey[PathMax + 1];
    const char* name;
};

bool SplitPath(const char* path, ValuePath& split)
{
    if (!path)
        return false;
    size_t length = strnlen(path, PathMax + 1);
    if (length > PathMax)
        return false;
    memcpy(split.subkey, path, length + 1);
    std::replace(split.subkey, split.subkey + length, '/', '\\');
    char* last = strrchr(split.subkey, '\\');
    if (!last) {
        split.name = "";   // the subkey's default value
    } else {
        *last = '\0';
        split.name = last + 1;
    }
    return true;
}

// The subkey that holds a value, opened for reading, with its type and size.
struct FoundValue {
    RegKey key;
    DWORD type = 0;
    DWORD size = 0;
};

bool TryFind(HKEY base, const ValuePath& path, FoundValue& found)
{
    if (!base || RegOpenKeyExA(base, path.subkey, 0, KEY_QUERY_VALUE, found.key.out()) != ERROR_SUCCESS)
        return false;
    return RegQueryValueExA(found.key.get(), path.name, nullptr, &found.type, nullptr, &found.size) ==
           ERROR_SUCCESS;
}

// Below a parent key alone; otherwise the user's value, else the machine's,
// whether or not the user's subkey exists.
bool FindValue(HKEY parent, const char* path, FoundValue& found, ValuePath& split)
{
    if (!SplitPath(path, split))
        return false;
    if (parent)
        return TryFind(parent, split, found);
    if (TryFind(Settings().userRoot, split, found))
        return true;
    found.key.reset();
    return TryFind(Settings().machineRoot, split, found);
}

bool IsTextType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// Reads the found value into buffer; when asked, makes sure it ends in a
// terminator, which must fit in capacity unless the value carries one.
bool ReadFound(const FoundValue& found, const ValuePath& path, void* buffer, DWORD capacity,
               bool terminate)
{
    DWORD got = capacity;
    BYTE* bytes = static_cast<BYTE*>(buffer);
    if (RegQueryValueExA(found.key.get(), path.name, nullptr, nullptr, bytes, &got) != ERROR_SUCCESS)
        return false;
    if (terminate && !memchr(bytes, 0, got)) {
        if (got >= capacity)
            return false;
        bytes[got] = 0;
    }
    return true;
}

// Bytes of a value that has been read: a single text counts up to its
// terminator, which the platform may add on reading.
DWORD ValueSize(const FoundValue& found, const char* data)
{
    if (found.type == REG_SZ || found.type == REG_EXPAND_SZ)
        return static_cast<DWORD>(strnlen(data, found.size));
    return found.size;
}

// A value read as terminated text into buffer of capacity bytes.
bool ReadText(HKEY parent, const char* path, char* buffer, DWORD capacity)
{
    FoundValue found;
    ValuePath split;
    return FindValue(parent, path, found, split) &&
           ReadFound(found, split, buffer, capacity, true);
}

// The key that writes go to; never the machine root.
HKEY WriteBase(HKEY parent)
{
    HKEY base = parent ? parent : Settings().userRoot;
    if (base == Settings().machineRoot || base == HKEY_LOCAL_MACHINE)
        return nullptr;
    return base;
}

bool NamedValuePath(char (&path)[PathMax + 1], const char* name, const char* value)
{
    int written = snprintf(path, sizeof path, "%s\\%s", name ? name : "", value);
    return written > 0 && static_cast<size_t>(written) < sizeof path;
}

// The offset from a top-level window's normal-position coordinates to screen
// coordinates. Measured on a window in its normal state (shown or not);
// otherwise the documented one: workspace coordinates start at the primary
// monitor's work area, except for tool windows.
POINT NormalToScreenOffset(HWND window, const WINDOWPLACEMENT& placement)
{
    if (!IsIconic(window) && !IsZoomed(window)) {
        RECT screen;
        GetWindowRect(window, &screen);
        return {screen.left - placement.rcNormalPosition.left, screen.top - placement.rcNormalPosition.top};
    }
    if (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)
        return {0, 0};
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left, work.top};
}

// Moves (and if need be shrinks) a top-level window's normal position so that
// it lies on the work area of the monitor nearest to it.
void KeepOnWorkArea(HWND window, const WINDOWPLACEMENT& current, RECT& normal)
{
    if (GetAncestor(window, GA_PARENT) != GetDesktopWindow())
        return;   // a child window lives in its parent's coordinates
    POINT origin = NormalToScreenOffset(window, current);
    RECT screen = normal;
    OffsetRect(&screen, origin.x, origin.y);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromRect(&screen, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& work = monitor.rcWork;
    LONG width = std::min(screen.right - screen.left, work.right - work.left);
    LONG height = std::min(screen.bottom - screen.top, work.bottom - work.top);
    LONG left = std::clamp(screen.left, work.left, work.right - width);
    LONG top = std::clamp(screen.top, work.top, work.bottom - height);
    normal = {left - origin.x, top - origin.y, left - origin.x + width, top - origin.y + height};
}

}  // namespace

int Settings_OpenRoot(const char* company, const char* application, const char* version)
{
    Settings_CloseRoot();
    char root[PathMax + 1];
    int written = snprintf(root, sizeof root, "Software\\%s\\%s\\%s",
                           company ? company : "Any company",
                           application ? application : "Any application",
                           version ? version : "Any version");
    if (written < 0 || static_cast<size_t>(written) >= sizeof root)
        return 0;
    SettingsGlobals& g = Settings();
    if (RegCreateKeyExA(HKEY_CURRENT_USER, root, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &g.userRoot, nullptr) != ERROR_SUCCESS) {
        g.userRoot = nullptr;
        return 0;
    }
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, root, 0, KEY_READ, &g.machineRoot) != ERROR_SUCCESS) {
        g.machineRoot = nullptr;
        return 0;
    }
    return 1;
}

int Settings_CloseRoot()
{
    SettingsGlobals& g = Settings();
    for (HKEY* root : {&g.userRoot, &g.machineRoot}) {
        if (*root) {
            RegFlushKey(*root);
            RegCloseKey(*root);
            *root = nullptr;
        }
    }
    return 1;
}

HKEY Settings_GetRootKey(HKEY predefined)
{
    if (predefined == HKEY_CURRENT_USER)
        return Settings().userRoot;
    if (predefined == HKEY_LOCAL_MACHINE)
        return Settings().machineRoot;
    return nullptr;
}

void* Settings_Read(HKEY key, const char* path, long* size, void* buffer, long length)
{
    if (buffer && length <= 0)
        return nullptr;
    FoundValue found;
    ValuePath split;
    if (!FindValue(key, path, found, split))
        return nullptr;
    bool terminate = IsTextType(found.type);
    void* target = buffer;
    DWORD capacity = static_cast<DWORD>(length);
    if (!buffer) {
        capacity = found.size + 1;   // room for the terminator of a text
        target = Mem_Alloc(capacity);
        if (!target)
            return nullptr;
        static_cast<char*>(target)[found.size] = 0;
    }
    if (!ReadFound(found, split, target, capacity, terminate)) {
        if (!buffer)
            Mem_Free(target);
        return nullptr;
    }
    if (size)
        *size = static_cast<long>(ValueSize(found, static_cast<const char*>(target)));
    return target;
}

long Settings_ReadInt(HKEY key, const char* path)
{
    FoundValue found;
    ValuePath split;
    if (!FindValue(key, path, found, split) || found.type != REG_DWORD || found.size != sizeof(DWORD))
        return 0;
    DWORD value = 0;
    if (!ReadFound(found, split, &value, sizeof value, false))
        return 0;
    return static_cast<long>(static_cast<int32_t>(value));
}

float Settings_ReadFloat(HKEY key, const char* path)
{
    char text[NumberTextSize] = {};
    float value = 0;
    if (!ReadText(key, path, text, sizeof text) || sscanf(text, "%f", &value) != 1)
        return 0;
    return value;
}

const char* Settings_ReadString(HKEY key, const char* path)
{
    SettingsGlobals& g = Settings();
    g.ringIndex = (g.ringIndex + 1) % RingSlots;
    char* slot = g.ring[g.ringIndex];
    return ReadText(key, path, slot, RingSlotSize) ? slot : nullptr;
}

int Settings_Write(HKEY key, const char* path, DWORD type, long size, const void* data)
{
    HKEY base = WriteBase(key);
    ValuePath split;
    if (!base || size < 0 || (size > 0 && !data) || !SplitPath(path, split))
        return 0;
    RegKey subkey;
    if (RegCreateKeyExA(base, split.subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        subkey.out(), nullptr) != ERROR_SUCCESS)
        return 0;
    return RegSetValueExA(subkey.get(), split.name, 0, type, static_cast<const BYTE*>(data),
                          static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

int Settings_WriteBinary(HKEY key, const char* path, long size, const void* data)
{
    return Settings_Write(key, path, REG_BINARY, size, data);
}

int Settings_WriteInt(HKEY key, const char* path, long value)
{
    DWORD number = static_cast<DWORD>(value);
    return Settings_Write(key, path, REG_DWORD, sizeof number, &number);
}

int Settings_WriteFloat(HKEY key, const char* path, float value)
{
    char text[NumberTextSize];
    snprintf(text, sizeof text, "%f", value);
    return Settings_WriteString(key, path, text);
}

int Settings_WriteString(HKEY key, const char* path, const char* text)
{
    if (!text)
        return 0;
    return Settings_Write(key, path, REG_SZ, static_cast<long>(strlen(text)), text);
}

int Settings_DeleteValue(HKEY key, const char* path)
{
    HKEY base = WriteBase(key);
    ValuePath split;
    if (!base || !SplitPath(path, split))
        return 0;
    RegKey subkey;
    if (RegOpenKeyExA(base, split.subkey, 0, KEY_SET_VALUE, subkey.out()) != ERROR_SUCCESS)
        return 0;
    return RegDeleteValueA(subkey.get(), split.name) == ERROR_SUCCESS;
}

int Settings_RestoreWindow(HKEY key, const char* name, HWND window, RECT* rect, int* show)
{
    char path[PathMax + 1];
    char text[NumberTextSize];
    int left, top, width, height, command;
    if (!NamedValuePath(path, name, "Position") || !ReadText(key, path, text, sizeof text) ||
        sscanf(text, "%d %d %d %d", &left, &top, &width, &height) != 4)
        return 0;
    if (!NamedValuePath(path, name, "Show") || !ReadText(key, path, text, sizeof text) ||
        sscanf(text, "%d", &command) != 1)
        return 0;
    if (command <= SW_HIDE || command > SW_MAX)
        command = SW_SHOWNORMAL;   // a hidden or unknown state would lose the window
    RECT stored = {left, top, left + width, top + height};
    if (rect)
        *rect = stored;
    if (show)
        *show = command;
    if (!window)
        return 1;
    if (!IsWindow(window))
        return 0;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    RECT normal = stored;
    KeepOnWorkArea(window, placement, normal);
    placement.flags = 0;
    placement.showCmd = static_cast<UINT>(command);
    placement.rcNormalPosition = normal;
    return SetWindowPlacement(window, &placement) ? 1 : 0;
}

int Settings_SaveWindow(HKEY key, const char* name, HWND window)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!IsWindow(window) || !GetWindowPlacement(window, &placement))
        return 0;
    const RECT& normal = placement.rcNormalPosition;
    char path[PathMax + 1];
    char text[NumberTextSize];
    snprintf(text, sizeof text, "%ld %ld %ld %ld", normal.left, normal.top, normal.right - normal.left,
             normal.bottom - normal.top);
    if (!NamedValuePath(path, name, "Position") || !Settings_WriteString(key, path, text))
        return 0;
    snprintf(text, sizeof text, "%u", placement.showCmd);
    return NamedValuePath(path, name, "Show") && Settings_WriteString(key, path, text);
}
