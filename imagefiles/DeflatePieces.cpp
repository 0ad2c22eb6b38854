// The walk decodes every Huffman code of every block (it must, to find where
// a block ends) but writes nothing: codes are looked up in tables as wide as
// the longest code, and extra bits are skipped.
#include "imagefiles/DeflatePieces.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

namespace {

constexpr int kMaxCodeBits = 15;

// Bits least significant first. Refill tops the buffer up to at least 56
// bits while whole bytes remain; past the end it reads zeros and notes an
// overrun once the bits taken exceed the data.
class BitReader {
public:
    explicit BitReader(const std::vector<uint8_t>& data) : data_(data.data()), size_(data.size()) {}

    void Refill() {
        if (size_ - next_ >= 8) {
            uint64_t word = 0;
            std::memcpy(&word, data_ + next_, 8);
            buffer_ |= LittleEndian(word) << held_;
            next_ += static_cast<std::size_t>((63 - held_) >> 3);
            held_ |= 56;
            return;
        }
        while (held_ <= 56 && next_ < size_) {
            buffer_ |= uint64_t(data_[next_++]) << held_;
            held_ += 8;
        }
        if (held_ < 56) padding_ += 56 - held_, held_ = 56;
    }
    // Up to 56 bits, after a Refill, taken together by Skip.
    uint32_t Peek(int count) const { return static_cast<uint32_t>(buffer_ & ((uint64_t(1) << count) - 1)); }
    void Skip(int count) {
        buffer_ >>= count;
        held_ -= count;
    }
    uint32_t Read(int count) {
        Refill();
        const uint32_t value = Peek(count);
        Skip(count);
        return value;
    }
    // The bit position in the data.
    std::size_t Position() const { return next_ * 8 - static_cast<std::size_t>(held_) + padding_; }
    void AlignToByte() { Skip(static_cast<int>((8 - Position() % 8) % 8)); }
    // Moves on `bytes` whole bytes from a byte boundary.
    void SkipBytes(std::size_t bytes) {
        const std::size_t target = Position() / 8 + bytes;
        buffer_ = 0;
        held_ = 0;
        padding_ = 0;
        next_ = std::min(target, size_);
        padding_ = (target - next_) * 8;
    }
    bool Overrun() const { return Position() > size_ * 8; }

private:
    static uint64_t LittleEndian(uint64_t word) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(&word);
        uint64_t value = 0;
        for (int i = 7; i >= 0; --i) value = value << 8 | bytes[i];
        return value;
    }

    const uint8_t* data_;
    std::size_t size_;
    std::size_t next_ = 0;
    uint64_t buffer_ = 0;
    int held_ = 0;
    // Zero bits counted in past the end of the data.
    std::size_t padding_ = 0;
};

// A canonical Huffman code: codes of up to kTableBits bits are looked up in
// a table indexed by the next kTableBits input bits (small enough to stay
// in the fastest cache), longer ones decoded bit by bit.
struct HuffmanTable {
    static constexpr int kTableBits = 10;
    // Symbol << 4 | code length; 0 where the bits begin a longer code or none.
    std::array<uint16_t, std::size_t(1) << kTableBits> entries{};
    std::array<uint16_t, kMaxCodeBits + 1> countOfLength{};
    std::array<uint16_t, 320> sortedSymbols{};

    bool Build(const uint8_t* codeLengths, int count) {
        countOfLength.fill(0);
        for (int s = 0; s < count; ++s) ++countOfLength[codeLengths[s]];
        countOfLength[0] = 0;
        std::array<uint32_t, kMaxCodeBits + 2> next{};
        std::array<uint16_t, kMaxCodeBits + 2> offset{};
        uint32_t code = 0;
        for (int length = 1; length <= kMaxCodeBits; ++length) {
            code = (code + countOfLength[length - 1]) << 1;
            next[length] = code;
            offset[length + 1] = static_cast<uint16_t>(offset[length] + countOfLength[length]);
            if (code + countOfLength[length] > (uint32_t(1) << length)) return false;
        }
        entries.fill(0);
        for (int s = 0; s < count; ++s) {
            const int length = codeLengths[s];
            if (length == 0) continue;
            sortedSymbols[offset[length]++] = static_cast<uint16_t>(s);
            const uint32_t canonical = next[length]++;
            if (length > kTableBits) continue;
            uint32_t reversed = 0;
            for (int b = 0; b < length; ++b) reversed |= ((canonical >> b) & 1u) << (length - 1 - b);
            const auto entry = static_cast<uint16_t>(s << 4 | length);
            for (uint32_t index = reversed; index < entries.size(); index += uint32_t(1) << length)
                entries[index] = entry;
        }
        return true;
    }

    // The next symbol, or -1 for bits that make no code; the reader must
    // hold at least 15 bits.
    int Decode(BitReader& reader) const {
        const uint16_t entry = entries[reader.Peek(kTableBits)];
        if (entry != 0) {
            reader.Skip(entry & 15);
            return entry >> 4;
        }
        return DecodeLong(reader);
    }

private:
    int DecodeLong(BitReader& reader) const {
        const uint32_t bits = reader.Peek(kMaxCodeBits);
        uint32_t code = 0;
        uint32_t first = 0;
        uint32_t index = 0;
        for (int length = 1; length <= kMaxCodeBits; ++length) {
            code |= (bits >> (length - 1)) & 1u;
            const uint32_t count = countOfLength[static_cast<std::size_t>(length)];
            if (code - first < count) {
                reader.Skip(length);
                return sortedSymbols[index + code - first];
            }
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        return -1;
    }
};

constexpr std::array<uint8_t, 29> kLengthExtraBits = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<uint8_t, 30> kDistanceExtraBits = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// One refill covers a whole length and distance: 15 + 5 + 15 + 13 bits.
bool SkipCodes(BitReader& reader, const HuffmanTable& literals, const HuffmanTable& distances) {
    for (;;) {
        reader.Refill();
        const int symbol = literals.Decode(reader);
        if (symbol < 256) {
            if (symbol < 0) return false;
            continue;
        }
        if (symbol == 256) return !reader.Overrun();
        if (symbol > 285) return false;
        reader.Skip(kLengthExtraBits[static_cast<std::size_t>(symbol - 257)]);
        const int distance = distances.Decode(reader);
        if (distance < 0 || distance > 29) return false;
        reader.Skip(kDistanceExtraBits[static_cast<std::size_t>(distance)]);
        if (reader.Overrun()) return false;
    }
}

bool FixedTables(HuffmanTable& literals, HuffmanTable& distances) {
    std::array<uint8_t, 288> lengths{};
    for (int s = 0; s < 288; ++s) lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
    std::array<uint8_t, 30> distanceLengths;
    distanceLengths.fill(5);
    return literals.Build(lengths.data(), 288) && distances.Build(distanceLengths.data(), 30);
}

bool DynamicTables(BitReader& reader, HuffmanTable& literals, HuffmanTable& distances) {
    static constexpr std::array<uint8_t, 19> kOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                       11, 4,  12, 3, 13, 2, 14, 1, 15};
    const int literalCount = static_cast<int>(reader.Read(5)) + 257;
    const int distanceCount = static_cast<int>(reader.Read(5)) + 1;
    const int lengthCodeCount = static_cast<int>(reader.Read(4)) + 4;
    std::array<uint8_t, 19> lengthCodeLengths{};
    for (int i = 0; i < lengthCodeCount; ++i)
        lengthCodeLengths[kOrder[static_cast<std::size_t>(i)]] = static_cast<uint8_t>(reader.Read(3));
    HuffmanTable lengthCodes;
    if (!lengthCodes.Build(lengthCodeLengths.data(), 19)) return false;
    std::array<uint8_t, 320> lengths{};
    const int total = literalCount + distanceCount;
    for (int i = 0; i < total;) {
        reader.Refill();
        const int symbol = lengthCodes.Decode(reader);
        if (symbol < 0 || reader.Overrun()) return false;
        if (symbol < 16) {
            lengths[static_cast<std::size_t>(i++)] = static_cast<uint8_t>(symbol);
            continue;
        }
        if (symbol == 16 && i == 0) return false;
        const uint8_t repeated = symbol == 16 ? lengths[static_cast<std::size_t>(i - 1)] : 0;
        const int times = symbol == 16   ? 3 + static_cast<int>(reader.Read(2))
                          : symbol == 17 ? 3 + static_cast<int>(reader.Read(3))
                                         : 11 + static_cast<int>(reader.Read(7));
        if (i + times > total) return false;
        for (int k = 0; k < times; ++k) lengths[static_cast<std::size_t>(i++)] = repeated;
    }
    return literals.Build(lengths.data(), literalCount) &&
           distances.Build(lengths.data() + literalCount, distanceCount);
}

}  // namespace

bool MakeDeflatePieceJoinable(std::vector<uint8_t>& piece) {
    BitReader reader(piece);
    HuffmanTable literals;
    HuffmanTable distances;
    std::size_t finalHeader = 0;
    for (bool final = false; !final;) {
        finalHeader = reader.Position();
        final = reader.Read(1) != 0;
        const uint32_t type = reader.Read(2);
        if (type == 0) {
            reader.AlignToByte();
            const uint32_t length = reader.Read(16);
            if ((reader.Read(16) ^ 0xffffu) != length) return false;
            reader.SkipBytes(length);
        } else if (type == 3 ||
                   !(type == 1 ? FixedTables(literals, distances) : DynamicTables(reader, literals, distances)) ||
                   !SkipCodes(reader, literals, distances)) {
            return false;
        }
        if (reader.Overrun()) return false;
    }
    const std::size_t end = reader.Position();
    piece[finalHeader / 8] &= static_cast<uint8_t>(~(1u << (finalHeader % 8)));
    // An empty stored block: three zero header bits, zeros to the byte, then
    // the length 0 and its complement.
    const std::size_t headerEnd = end + 3;
    piece.resize((headerEnd + 7) / 8);
    piece[end / 8] &= static_cast<uint8_t>((1u << (end % 8)) - 1);
    for (std::size_t byte = end / 8 + 1; byte < piece.size(); ++byte) piece[byte] = 0;
    piece.insert(piece.end(), {0x00, 0x00, 0xff, 0xff});
    return true;
}
