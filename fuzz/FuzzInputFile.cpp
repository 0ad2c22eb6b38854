#include "fuzz/FuzzInputFile.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

class ScratchFile {
public:
    ScratchFile() {
        namespace fs = std::filesystem;
        std::error_code error;
        const fs::path folder = fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
        path_ = (folder / ("dapple-fuzz-" + std::to_string(getpid()) + ".bin")).string();
    }
    ~ScratchFile() { std::remove(path_.c_str()); }

    const std::string& Write(const uint8_t* data, std::size_t size) {
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        if (file == nullptr || (size != 0 && std::fwrite(data, 1, size, file) != size) || std::fclose(file) != 0) {
            std::perror(path_.c_str());
            std::abort();
        }
        return path_;
    }

private:
    std::string path_;
};

}  // namespace

const std::string& WriteFuzzInput(const uint8_t* data, std::size_t size) {
    static ScratchFile scratch;
    return scratch.Write(data, size);
}
