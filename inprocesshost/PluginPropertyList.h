// A plug-in module's property list (its PiPL resource), read the way a host
// reads it before running the module: what kind of plug-in it is, its name
// and category, and the name of its entry point for each processor.
//
// The bytes come from a file the user chose, so nothing in them is trusted:
// every count and length is checked against the bytes that are there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct PluginProperty {
    uint32_t vendor = 0;
    uint32_t key = 0;
    uint32_t id = 0;
    std::vector<uint8_t> data;
};

struct PluginPropertyList {
    std::vector<PluginProperty> properties;

    // The first property with `key` (any vendor); null when there is none.
    const PluginProperty* Find(uint32_t key) const;
};

// Four characters as the 32-bit number whose bytes, most significant
// first, spell them.
constexpr uint32_t PropertyKey(const char (&code)[5]) {
    return static_cast<uint32_t>(static_cast<unsigned char>(code[0])) << 24 |
           static_cast<uint32_t>(static_cast<unsigned char>(code[1])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(code[2])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(code[3]));
}

// The Windows resource form: a 16-bit 1, the list version 0 and the
// property count, then per property its vendor, key, id and data length
// (little-endian 32-bit numbers) and its data, padded to a multiple of 4
// bytes. False, with a short reason in `problem` and `list` empty, when the
// bytes do not hold such a list.
bool ParsePluginPropertyList(const uint8_t* bytes, std::size_t size, PluginPropertyList& list, std::string& problem);

// What a host needs to run a filter: the list says it is a filter ('kind'
// 8BFM) and names an entry for the processor whose entry property is
// `entryKey` ('8664' for x86-64, 'wx86' for 32-bit x86). False with a reason
// otherwise. The name ends at its first zero byte or at the property's end.
bool FilterEntryName(const PluginPropertyList& list, uint32_t entryKey, std::string& entryName, std::string& problem);

// A Pascal string property ('name', 'catg'); empty when absent or short.
std::string PropertyPascalString(const PluginPropertyList& list, uint32_t key);
