#include "imagefiles/JpegHuffman.h"

#include <limits>

namespace {

constexpr int kMaxCodeLength = 16;
constexpr int kLookupBits = 11;  // codes this short are found with one look-up

// A table's codes, for reading: canonical codes, shortest first.
class HuffmanDecoder {
public:
    explicit HuffmanDecoder(const JpegHuffmanTable& table) : symbols_(table.symbols) {
        int32_t code = 0;
        int index = 0;
        for (int length = 1; length <= kMaxCodeLength; ++length) {
            const int count = table.codesOfLength[static_cast<std::size_t>(length)];
            firstIndex_[length] = index - code;
            for (int i = 0; i < count && index < 256; ++i, ++index, ++code) {
                if (length <= kLookupBits) {
                    const int shift = kLookupBits - length;
                    for (int fill = 0; fill < (1 << shift); ++fill) {
                        Entry& entry = lookup_[static_cast<std::size_t>((code << shift) | fill)];
                        entry.length = static_cast<uint8_t>(length);
                        entry.symbol = table.symbols[static_cast<std::size_t>(index)];
                    }
                }
            }
            lastCode_[length] = count > 0 ? code - 1 : -1;
            code <<= 1;
        }
    }

    // The symbol whose code starts BITS (left-aligned), and its length; -1
    // when no code matches.
    int Decode(uint64_t bits, int& length) const {
        const Entry& entry = lookup_[static_cast<std::size_t>(bits >> (64 - kLookupBits))];
        if (entry.length != 0) {
            length = entry.length;
            return entry.symbol;
        }
        for (length = kLookupBits + 1; length <= kMaxCodeLength; ++length) {
            const auto code = static_cast<int32_t>(bits >> (64 - length));
            if (code <= lastCode_[length]) {
                const int index = firstIndex_[length] + code;
                return index >= 0 && index < 256 ? symbols_[static_cast<std::size_t>(index)] : -1;
            }
        }
        return -1;
    }

private:
    struct Entry {
        uint8_t length = 0;
        uint8_t symbol = 0;
    };
    std::array<Entry, 1 << kLookupBits> lookup_{};
    std::array<int32_t, kMaxCodeLength + 1> lastCode_{};
    std::array<int32_t, kMaxCodeLength + 1> firstIndex_{};
    std::array<uint8_t, 256> symbols_;
};

// The bits of entropy-coded data, stuffed zero bytes removed. At a marker it
// stops and supplies zero bits, so that a reader that runs past its data is
// caught when it checks where it stands.
class EntropyBits {
public:
    EntropyBits(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // At least 32 bits are buffered afterwards: a code and its extra bits.
    void Fill() {
        if (count_ >= 32) return;
        if (!stopped_ && position_ + 8 <= size_) {
            // Whole bytes at once where none of the next eight is 0xFF.
            uint64_t word = 0;
            for (int i = 0; i < 8; ++i) word = word << 8 | data_[position_ + static_cast<std::size_t>(i)];
            const uint64_t inverted = ~word;
            const bool anyFF = ((inverted - 0x0101010101010101u) & ~inverted & 0x8080808080808080u) != 0;
            if (!anyFF) {
                const int bytes = (64 - count_) / 8;
                buffer_ |= (word >> count_) & (~uint64_t{0} << (64 - count_ - 8 * bytes));
                count_ += 8 * bytes;
                position_ += static_cast<std::size_t>(bytes);
                return;
            }
        }
        while (count_ <= 56) {
            uint64_t byte = 0;
            if (stopped_ || position_ >= size_) {
                madeUp_ += 8;
            } else if (data_[position_] != 0xFF) {
                byte = data_[position_++];
            } else if (position_ + 1 < size_ && data_[position_ + 1] == 0) {
                byte = 0xFF;
                position_ += 2;
            } else {
                stopped_ = true;
                madeUp_ += 8;
            }
            buffer_ |= byte << (56 - count_);
            count_ += 8;
        }
    }

    uint64_t Peek() const { return buffer_; }
    void Skip(int bits) {
        buffer_ <<= bits;
        count_ -= bits;
    }

    // Drops the padding to the next byte; true when no bit beyond the data
    // was used and the data ends here.
    bool EndsOnByte() {
        Skip(count_ % 8);
        return count_ == madeUp_ && (stopped_ || position_ >= size_);
    }

    // Steps over the restart marker that must follow.
    bool SkipRestartMarker() {
        if (!EndsOnByte() || position_ + 1 >= size_ || data_[position_] != 0xFF ||
            (data_[position_ + 1] & 0xF8) != 0xD0)
            return false;
        position_ += 2;
        buffer_ = 0;
        count_ = 0;
        madeUp_ = 0;
        stopped_ = false;
        return true;
    }

    // Bits beyond the data were used.
    bool Overrun() const { return count_ < madeUp_; }

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
    uint64_t buffer_ = 0;
    int count_ = 0;   // bits in the buffer
    int madeUp_ = 0;  // of which supplied past a marker or the end
    bool stopped_ = false;
};

bool CountBlock(EntropyBits& bits, const HuffmanDecoder& dc, const HuffmanDecoder& ac, JpegSymbolCounts& dcCounts,
                JpegSymbolCounts& acCounts) {
    bits.Fill();
    int length = 0;
    const int category = dc.Decode(bits.Peek(), length);
    if (category < 0 || category > 15) return false;
    ++dcCounts[static_cast<std::size_t>(category)];
    bits.Skip(length + category);
    for (int k = 1; k < 64;) {
        bits.Fill();
        const int symbol = ac.Decode(bits.Peek(), length);
        if (symbol < 0) return false;
        ++acCounts[static_cast<std::size_t>(symbol)];
        const int run = symbol >> 4;
        const int size = symbol & 15;
        bits.Skip(length + size);
        if (size == 0 && run != 15) break;  // end of block
        k += run + 1;
        if (k > 64) return false;
    }
    return !bits.Overrun();
}

}  // namespace

JpegTableCounts& JpegTableCounts::operator+=(const JpegTableCounts& other) {
    for (std::size_t t = 0; t < 2; ++t) {
        for (std::size_t s = 0; s < 256; ++s) {
            dc[t][s] += other.dc[t][s];
            ac[t][s] += other.ac[t][s];
        }
    }
    return *this;
}

bool CountJpegSymbols(const uint8_t* data, std::size_t size, const JpegScanShape& shape,
                      const std::array<JpegHuffmanTable, 2>& dc, const std::array<JpegHuffmanTable, 2>& ac,
                      JpegTableCounts& counts) {
    if (shape.blocksPerMcu < 1 || shape.blocksPerMcu > 4 || shape.mcusPerInterval == 0) return false;
    const std::array<HuffmanDecoder, 2> dcDecoders{HuffmanDecoder(dc[0]), HuffmanDecoder(dc[1])};
    const std::array<HuffmanDecoder, 2> acDecoders{HuffmanDecoder(ac[0]), HuffmanDecoder(ac[1])};
    EntropyBits bits(data, size);
    for (uint64_t mcu = 0; mcu < shape.mcuCount; ++mcu) {
        if (mcu > 0 && mcu % shape.mcusPerInterval == 0 && !bits.SkipRestartMarker()) return false;
        for (int block = 0; block < shape.blocksPerMcu; ++block) {
            const auto table = static_cast<std::size_t>(shape.tableOfBlock[static_cast<std::size_t>(block)] & 1);
            if (!CountBlock(bits, dcDecoders[table], acDecoders[table], counts.dc[table], counts.ac[table]))
                return false;
        }
    }
    return bits.EndsOnByte();
}

JpegHuffmanTable OptimalJpegHuffmanTable(const JpegSymbolCounts& counts) {
    // Symbol 256 is a reserved code point: it keeps every real code from
    // being all one bits and is removed at the end.
    constexpr int kSymbols = 257;
    // A tree of 257 leaves is at most 256 deep. libjpeg gives up beyond 32,
    // which no picture's counts come near; here the cut below handles it.
    constexpr int kLongestBuilt = kSymbols - 1;
    std::array<uint64_t, kSymbols> frequency{};
    for (std::size_t i = 0; i < 256; ++i) frequency[i] = counts[i];
    frequency[256] = 1;
    std::array<int, kSymbols> codeSize{};
    std::array<int, kSymbols> next{};  // the next symbol of the same branch, or -1
    next.fill(-1);

    // Join the two least frequent branches until one is left; a tie takes
    // the higher symbol.
    for (;;) {
        int least = -1;
        uint64_t value = std::numeric_limits<uint64_t>::max();
        for (int i = 0; i < kSymbols; ++i) {
            if (frequency[static_cast<std::size_t>(i)] != 0 && frequency[static_cast<std::size_t>(i)] <= value) {
                value = frequency[static_cast<std::size_t>(i)];
                least = i;
            }
        }
        int second = -1;
        value = std::numeric_limits<uint64_t>::max();
        for (int i = 0; i < kSymbols; ++i) {
            if (i != least && frequency[static_cast<std::size_t>(i)] != 0 &&
                frequency[static_cast<std::size_t>(i)] <= value) {
                value = frequency[static_cast<std::size_t>(i)];
                second = i;
            }
        }
        if (second < 0) break;
        frequency[static_cast<std::size_t>(least)] += frequency[static_cast<std::size_t>(second)];
        frequency[static_cast<std::size_t>(second)] = 0;
        int symbol = least;
        ++codeSize[static_cast<std::size_t>(symbol)];
        while (next[static_cast<std::size_t>(symbol)] >= 0) {
            symbol = next[static_cast<std::size_t>(symbol)];
            ++codeSize[static_cast<std::size_t>(symbol)];
        }
        next[static_cast<std::size_t>(symbol)] = second;
        for (symbol = second;; symbol = next[static_cast<std::size_t>(symbol)]) {
            ++codeSize[static_cast<std::size_t>(symbol)];
            if (next[static_cast<std::size_t>(symbol)] < 0) break;
        }
    }

    std::array<int, kLongestBuilt + 1> ofLength{};
    for (int size : codeSize) {
        if (size > 0) ++ofLength[static_cast<std::size_t>(size)];
    }
    // Shorten codes beyond 16 bits: two of the longest give up a level, one
    // shorter code moves down to pair with one of them.
    for (int length = kLongestBuilt; length > kMaxCodeLength; --length) {
        while (ofLength[static_cast<std::size_t>(length)] > 0) {
            int shorter = length - 2;
            while (ofLength[static_cast<std::size_t>(shorter)] == 0) --shorter;
            ofLength[static_cast<std::size_t>(length)] -= 2;
            ++ofLength[static_cast<std::size_t>(length - 1)];
            ofLength[static_cast<std::size_t>(shorter + 1)] += 2;
            --ofLength[static_cast<std::size_t>(shorter)];
        }
    }
    // The reserved code point is one of the longest codes.
    int longest = kMaxCodeLength;
    while (longest > 0 && ofLength[static_cast<std::size_t>(longest)] == 0) --longest;
    if (longest > 0) --ofLength[static_cast<std::size_t>(longest)];

    JpegHuffmanTable table;
    for (int length = 1; length <= kMaxCodeLength; ++length)
        table.codesOfLength[static_cast<std::size_t>(length)] =
            static_cast<uint8_t>(ofLength[static_cast<std::size_t>(length)]);
    // Symbols by code length, then by value (the lengths of the built tree,
    // not the shortened ones: that is how the standard assigns them).
    std::size_t position = 0;
    for (int length = 1; length <= kLongestBuilt; ++length) {
        for (int symbol = 0; symbol < 256; ++symbol) {
            if (codeSize[static_cast<std::size_t>(symbol)] == length)
                table.symbols[position++] = static_cast<uint8_t>(symbol);
        }
    }
    return table;
}
