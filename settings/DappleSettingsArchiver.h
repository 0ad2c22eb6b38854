// The archiver of this product: the settings archiver with the content file
// choice of the picture tube button, which the base does not know:
//   path key, blank, the path (the rest of the line when read back)
//   relative key, blank, 0 or 1 (any non-zero number reads as 1)
// A path that would not fit its parameter, or that holds a line break, is
// refused: reading fails (and with it the whole load, so that neither the
// path nor its relative flag is half taken); saving fails. A stored path
// that is not UTF-8 was written in the system's code page and is read in it
// (platform/StoredText.h).
#pragma once

#include "settings/SettingsArchiver.h"

class DappleSettingsArchiver : public SettingsArchiver {
public:
    using SettingsArchiver::SettingsArchiver;

protected:
    ResultCode SaveExtra(std::string& text, const FilterParameter& parameter) override;
    ResultCode LoadExtra(FilterParameter& parameter, std::string_view value, uint32_t key, std::string& why) override;
};
