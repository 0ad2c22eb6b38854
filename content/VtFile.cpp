#include "content/VtFile.h"

#include "content/LittleEndian.h"

bool VtFile::Open(const std::string& path) {
    position_ = 0;
    size_ = 0;
    if (!file_.Open(path)) return false;
    if (!file_.Size(size_)) {
        file_.Close();
        return false;
    }
    return true;
}

void VtFile::Close() {
    file_.Close();
    position_ = 0;
    size_ = 0;
}

void VtFile::ReadBytes(void* buffer, std::size_t count) {
    if (!file_.IsOpen() || count > size_ - position_) throw FileError();
    if (count == 0) return;
    if (file_.Read(buffer, count) != static_cast<int64_t>(count)) throw FileError();
    position_ += count;
}

uint64_t VtFile::ReadValue(std::size_t count) {
    uint8_t bytes[8];
    ReadBytes(bytes, count);
    return LoadLittleEndian(bytes, count);
}

uint8_t VtFile::Read1() { return static_cast<uint8_t>(ReadValue(1)); }
uint16_t VtFile::Read2() { return static_cast<uint16_t>(ReadValue(2)); }
uint32_t VtFile::Read4() { return static_cast<uint32_t>(ReadValue(4)); }
uint64_t VtFile::Read8() { return ReadValue(8); }

void VtFile::SeekTo(uint64_t offset) {
    if (!file_.IsOpen() || offset > size_ || !file_.Seek(offset)) throw FileError();
    position_ = offset;
}

void VtFile::Skip(int64_t delta) {
    if (delta < 0 && static_cast<uint64_t>(-(delta + 1)) >= position_) throw FileError();
    if (delta >= 0 && static_cast<uint64_t>(delta) > size_ - position_) throw FileError();
    SeekTo(position_ + static_cast<uint64_t>(delta));
}
