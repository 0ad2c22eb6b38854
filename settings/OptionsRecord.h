// The options the filter dialog keeps between runs in the options file
// "Dapple Options" of the user's data folder: the dialog window's
// rectangle and one flag. What they mean is the dialog's business.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct OptionsRecord {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    unsigned char flag = 0;  // 0 or 1
};

// The file's name, which is also its first line.
inline constexpr char kOptionsFileName[] = "Dapple Options";

// The file's text: the name, the four integers, then the flag without a
// line end:
//   "Dapple Options\r\n" "%d %d %d %d\r\n" "%d"
std::string OptionsText(const OptionsRecord& options);

// Reads the file's text. False, leaving `options` unchanged, when the
// first line does not begin with the name or a number cannot be read;
// each line counts up to 255 characters. A non-zero flag reads as 1.
bool ReadOptionsText(std::string_view text, OptionsRecord& options);
