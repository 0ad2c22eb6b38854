#include "platform/FileStreams.h"

#include <fcntl.h>
#include <io.h>

#include "platform/TextEncoding.h"

// Paths are UTF-8; the narrow fopen would read them in the ANSI code page.
std::FILE* OpenFileForReading(const std::string& path) { return _wfopen(WideFromUtf8(path).c_str(), L"rb"); }

std::FILE* OpenFileForWriting(const std::string& path) { return _wfopen(WideFromUtf8(path).c_str(), L"wb"); }

bool SeekFile(std::FILE* stream, uint64_t offset) {
    if (offset > static_cast<uint64_t>(INT64_MAX)) return false;
    return _fseeki64(stream, static_cast<__int64>(offset), SEEK_SET) == 0;
}

bool FileLength(std::FILE* stream, uint64_t& length) {
    const __int64 here = _ftelli64(stream);
    if (here < 0 || _fseeki64(stream, 0, SEEK_END) != 0) return false;
    const __int64 end = _ftelli64(stream);
    if (_fseeki64(stream, here, SEEK_SET) != 0 || end < 0) return false;
    length = static_cast<uint64_t>(end);
    return true;
}

std::FILE* BinaryStandardInput() {
    _setmode(_fileno(stdin), _O_BINARY);
    return stdin;
}

std::FILE* BinaryStandardOutput() {
    _setmode(_fileno(stdout), _O_BINARY);
    return stdout;
}
