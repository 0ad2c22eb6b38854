#include "platform/ReadOnlyFile.h"

#include <limits>

#include "platform/TextEncoding.h"
#include "platform/WinApi.h"

namespace {

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

bool ReadOnlyFile::Open(const std::string& path) {
    Close();
    // Shared for reading only: a preview and a render may read one file at
    // once, but nobody may change it under either of them.
    HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return true;
}

void ReadOnlyFile::Close() {
    if (handle_ == kNoHandle) return;
    CloseHandle(AsHandle(handle_));
    handle_ = kNoHandle;
}

int64_t ReadOnlyFile::Read(void* buffer, std::size_t count) {
    auto* bytes = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const std::size_t left = count - done;
        const DWORD ask = left > std::numeric_limits<DWORD>::max() / 2 ? std::numeric_limits<DWORD>::max() / 2
                                                                       : static_cast<DWORD>(left);
        DWORD got = 0;
        if (!ReadFile(AsHandle(handle_), bytes + done, ask, &got, nullptr)) return -1;
        if (got == 0) break;
        done += got;
    }
    return static_cast<int64_t>(done);
}

bool ReadOnlyFile::Seek(uint64_t offset) {
    if (offset > static_cast<uint64_t>(std::numeric_limits<LONGLONG>::max())) return false;
    LARGE_INTEGER distance;
    distance.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(AsHandle(handle_), distance, nullptr, FILE_BEGIN) != 0;
}

bool ReadOnlyFile::Size(uint64_t& size) const {
    LARGE_INTEGER length;
    if (!GetFileSizeEx(AsHandle(handle_), &length) || length.QuadPart < 0) return false;
    size = static_cast<uint64_t>(length.QuadPart);
    return true;
}
