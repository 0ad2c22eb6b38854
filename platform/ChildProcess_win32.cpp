#include "platform/ChildProcess.h"

#include <mutex>

#include "platform/TextEncoding.h"
#include "platform/WinApi.h"

namespace {

class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
    ~OwnedHandle() { Close(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    HANDLE Get() const { return handle_; }
    HANDLE* Put() { return &handle_; }
    void Close() {
        if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    HANDLE handle_ = nullptr;
};

// One argument as the C runtime's command-line parser reads it back:
// quoted, with backslashes doubled only where a quote follows them.
std::wstring Quoted(const std::wstring& argument) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

std::string LastErrorText(const std::string& what) { return what + " (error " + std::to_string(GetLastError()) + ")"; }

}  // namespace

ChildOutcome RunChildProcess(const std::string& program, const std::vector<std::string>& args,
                             const std::function<bool()>&) {
    ChildOutcome outcome;
    // A program inherits every inheritable handle of the moment it starts:
    // one start at a time, with only its own ends of pipes open, so that no
    // program holds another's pipe open.
    static std::mutex starting;
    std::unique_lock<std::mutex> oneAtATime(starting);
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    OwnedHandle readEnd;
    OwnedHandle writeEnd;
    if (!CreatePipe(readEnd.Put(), writeEnd.Put(), &inherit, 0)) {
        outcome.problem = LastErrorText("cannot make a pipe");
        return outcome;
    }
    SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);
    OwnedHandle nothing(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                    OPEN_EXISTING, 0, nullptr));

    const std::wstring wideProgram = WideFromUtf8(program);
    std::wstring commandLine = Quoted(wideProgram);
    for (const std::string& arg : args) commandLine += L" " + Quoted(WideFromUtf8(arg));

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nothing.Get();
    startup.hStdOutput = nothing.Get();
    startup.hStdError = writeEnd.Get();
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(wideProgram.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        outcome.problem = LastErrorText("cannot start " + program);
        return outcome;
    }
    OwnedHandle child(process.hProcess);
    OwnedHandle thread(process.hThread);
    writeEnd.Close();
    nothing.Close();
    oneAtATime.unlock();
    outcome.started = true;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        outcome.errorText.append(buffer, got);
    WaitForSingleObject(child.Get(), INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(child.Get(), &code);
    // Exception codes (0xC...) mean the program did not end by itself.
    if ((code & 0xC0000000u) == 0xC0000000u) {
        outcome.killed = true;
    } else {
        outcome.exitCode = static_cast<int>(code);
    }
    return outcome;
}
