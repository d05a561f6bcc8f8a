// The stamp of a project file on disk: size, last write and a hash of the
// content, taken when this program opens or saves the file and compared
// before the next Save writes over it. A file that cannot be read has no
// stamp (not known).
#include "kadmi_int.h"

namespace {

constexpr uint64_t kHashPrime = 1099511628211ull;
constexpr DWORD kReadBlock = 1 << 16;

struct ReadHandle {
    HANDLE h;
    explicit ReadHandle(const char* path)
        : h(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr))
    {
    }
    ~ReadHandle()
    {
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }
    ReadHandle(const ReadHandle&) = delete;
    ReadHandle& operator=(const ReadHandle&) = delete;
};

}  // namespace

uint64_t FileStamp_Hash(uint64_t hash, const void* bytes, size_t count)
{
    const auto* p = static_cast<const unsigned char*>(bytes);
    for (size_t i = 0; i < count; ++i)
        hash = (hash ^ p[i]) * kHashPrime;
    return hash;
}

FileStamp FileStamp_WithHash(const char* path, uint64_t hash)
{
    FileStamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return stamp;
    stamp.known = true;
    stamp.size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.written = data.ftLastWriteTime;
    stamp.hash = hash;
    return stamp;
}

FileStamp FileStamp_Of(const char* path)
{
    FileStamp stamp;
    ReadHandle file(path);
    BY_HANDLE_FILE_INFORMATION info{};
    if (file.h == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(file.h, &info))
        return stamp;
    std::vector<unsigned char> block(kReadBlock);
    uint64_t hash = kFileHashStart, size = 0;
    DWORD got = 0;
    while (ReadFile(file.h, block.data(), kReadBlock, &got, nullptr) && got > 0) {
        hash = FileStamp_Hash(hash, block.data(), got);
        size += got;
    }
    stamp.known = true;
    stamp.size = size;
    stamp.written = info.ftLastWriteTime;
    stamp.hash = hash;
    return stamp;
}

bool FileStamp_Same(const FileStamp& a, const FileStamp& b)
{
    return a.known && b.known && a.size == b.size && a.hash == b.hash &&
           CompareFileTime(&a.written, &b.written) == 0;
}
