// The stamp of a project file on disk: size, last write and a hash of the
// content, taken when this program opens or saves the file and compared
// before the next Save writes over it. A file that cannot be read has no
// stamp (not known).
#include "kadmi_int.h"

namespace {

// FNV-1a, 64 bits: cheap, and any change of content changes it in practice.
constexpr uint64_t kHashStart = 14695981039346656037ull;
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

FileStamp FileStamp_Of(const char* path)
{
    FileStamp stamp;
    ReadHandle file(path);
    BY_HANDLE_FILE_INFORMATION info{};
    if (file.h == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(file.h, &info))
        return stamp;
    std::vector<unsigned char> block(kReadBlock);
    uint64_t hash = kHashStart, size = 0;
    DWORD got = 0;
    while (ReadFile(file.h, block.data(), kReadBlock, &got, nullptr) && got > 0) {
        for (DWORD i = 0; i < got; ++i)
            hash = (hash ^ block[i]) * kHashPrime;
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
