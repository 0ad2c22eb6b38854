// The archiver of this product: the settings archiver with the content file
// choice of the picture tube button, which the base does not know:
//   path key, blank, the path (the rest of the line when read back)
//   relative key, blank, 0 or 1 (any non-zero number reads as 1)
// A path that would not fit its parameter, or that holds a line break, is
// refused: on reading the old path stays; on saving the save fails.
#pragma once

#include "settings/SettingsArchiver.h"

class DappleSettingsArchiver : public SettingsArchiver {
public:
    using SettingsArchiver::SettingsArchiver;

protected:
    ResultCode SaveExtra(std::string& text, const FilterParameter& parameter) override;
    ResultCode LoadExtra(FilterParameter& parameter, std::string_view value, uint32_t key) override;
};
