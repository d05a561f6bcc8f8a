// The recent-file list as plain data (see recentlist.h).
#include "VlInterface/recentlist.h"
#include "support/strings.h"
#include <algorithm>

namespace {

constexpr size_t kCaptionPathChars = 60;        // of a path in the File menu
constexpr const char* kEllipsis = "\xE2\x80\xA6";   // "…"

bool ContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

size_t CharCount(const std::string& text)
{
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) { return !ContinuationByte(c); }));
}

// The bytes of the first `chars` characters of text.
size_t BytesOfChars(const std::string& text, size_t chars)
{
    size_t at = 0;
    for (size_t seen = 0; at < text.size(); ++at) {
        if (!ContinuationByte(text[at]) && seen++ == chars)
            break;
    }
    return at;
}

// A path of more than `limit` characters loses characters from its middle,
// which "…" stands for, so that its start and its file name show; the file
// name shows whole however long it is.
std::string CompactPath(const std::string& path, size_t limit)
{
    const size_t slash = path.find_last_of("\\/");
    if (CharCount(path) <= limit || slash == std::string::npos)
        return path;
    const std::string name = path.substr(slash);   // with its separator
    const size_t nameChars = CharCount(name) + 1;   // and the ellipsis
    std::string head = nameChars < limit ? path.substr(0, BytesOfChars(path, limit - nameChars)) : std::string();
    if (const size_t cut = head.find_last_of("\\/"); cut != std::string::npos && cut > 0)
        head.resize(cut + 1);   // whole folder names where one ends
    return head + kEllipsis + name;
}

std::string EscapeAmpersands(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        escaped += c;
        if (c == '&')
            escaped += '&';   // "&&" shows one "&" and marks no access key
    }
    return escaped;
}

} // namespace

bool RecentList_SameName(const std::string& a, const std::string& b)
{
    return Str_SameIgnoringCase(a, b);
}

std::string RecentList_MenuCaption(int number, const std::string& path)
{
    std::string caption = "&";
    caption += std::to_string(number);
    caption += " : ";
    caption += EscapeAmpersands(CompactPath(path, kCaptionPathChars));
    return caption;
}

void RecentList_Promote(std::vector<std::string>& list, const std::string& name, size_t limit)
{
    auto found = std::find_if(list.begin(), list.end(),
                              [&](const std::string& entry) { return RecentList_SameName(entry, name); });
    if (found != list.end()) {
        std::rotate(list.begin(), found, found + 1);
        return;
    }
    list.insert(list.begin(), name);
    if (list.size() > limit)
        list.resize(limit);
}
