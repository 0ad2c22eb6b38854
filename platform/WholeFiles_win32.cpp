#include "platform/WholeFiles.h"

#include <algorithm>
#include <atomic>
#include <string>

#include "platform/TextEncoding.h"
#include "platform/WinApi.h"

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Close() {
        if (!Valid()) return true;
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

bool WriteAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

// "folder\.name.<process>-<serial>": unique within the folder for this
// process; CREATE_NEW refuses a leftover of another.
std::wstring TemporaryPath(const std::wstring& path, unsigned attempt) {
    static std::atomic<unsigned> serial{0};
    const std::size_t separator = path.find_last_of(L"\\/");
    const std::wstring folder = separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
    const std::wstring name = separator == std::wstring::npos ? path : path.substr(separator + 1);
    return folder + static_cast<wchar_t>(kTemporaryFilePrefix) + name + L"." + std::to_wstring(GetCurrentProcessId()) +
           L"-" + std::to_wstring(serial++) + L"-" + std::to_wstring(attempt);
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    const std::wstring target = WideFromUtf8(path);
    for (unsigned attempt = 0; attempt < 16; ++attempt) {
        const std::wstring temporary = TemporaryPath(target, attempt);
        FileHandle file(
            CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) {
            if (GetLastError() == ERROR_FILE_EXISTS) continue;
            return false;
        }
        const bool written = WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get());
        if (file.Close() && written &&
            MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        DeleteFileW(temporary.c_str());
        return false;
    }
    return false;
}
