// Named settings: the parameters of an effect saved under a name the user
// gives, one text file per setting, and loaded again; the factory settings
// shipped with the plug-in; and the options file of the filter dialog.
//
// A setting of an effect lives in the user's data folder, in a folder named
// after the effect's internal name (made when missing), under a file named
// exactly as the setting. Factory settings live in the plug-in folder's
// "Settings" folder, likewise per effect; that folder is never made.
//
// A settings file is the effect's internal name on a line of its own, then
// the lines of each parameter of the effect's set, in order
// (settings/ParameterLines.h), each ended with CR LF.
//
// Files are replaced atomically: a save that fails leaves the old file as
// it was. Result codes: 0; -1 for a folder that cannot be found or made, a
// name that cannot be used, a file that cannot be read or written or is not
// a settings file of the effect.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/ResultCode.h"
#include "settings/EntryFolder.h"
#include "settings/OptionsRecord.h"
#include "settings/SettingsFolders.h"

class Filter;
class FilterParameter;
class ParameterSet;

class SettingsArchiver {
public:
    // String resources: the name the last used settings are kept under (the
    // lists leave it out), and the two confirmations.
    static constexpr int kLastUsedNameId = 10600;
    static constexpr int kDeleteCaptionId = 10700;
    static constexpr int kDeleteTextId = 10701;
    static constexpr int kReplaceCaptionId = 10710;
    static constexpr int kReplaceTextId = 10711;

    explicit SettingsArchiver(const ISettingsFolders& folders) : folders_(folders) {}
    virtual ~SettingsArchiver() = default;
    SettingsArchiver(const SettingsArchiver&) = delete;
    SettingsArchiver& operator=(const SettingsArchiver&) = delete;

    // Saves the values of `set` (built by the effect over the record to
    // save) under `name`, replacing a setting of that name. -1 for a name
    // IsValidName refuses, and when SaveExtra fails; nothing is written then.
    ResultCode Save(const Filter& effect, const ParameterSet& set, const std::string& name);
    // Reads the setting `name` of the user (`fromUser`) or the factory into
    // the record under `set`.
    ResultCode Load(const Filter& effect, ParameterSet& set, const std::string& name, bool fromUser);
    // The same for a settings file anywhere, by path.
    ResultCode LoadFile(const Filter& effect, ParameterSet& set, const std::string& path);

    // The names of the effect's settings of the user or the factory, sorted
    // by byte: every file whose first word is the effect's internal name,
    // except the last used settings. -1, with no names, when the folder
    // cannot be read.
    ResultCode ListSettings(const Filter& effect, bool fromUser, std::vector<std::string>& names);

    // Whether a name can be saved under (settings/SettingNames.h).
    static bool IsValidName(const std::string& name);
    // Whether the user folder of the effect holds an entry `name`.
    bool Exists(const Filter& effect, const std::string& name);
    // Gives the user's setting `oldName` the name `newName`; -1, changing
    // nothing, when `newName` is not valid or is taken.
    ResultCode Rename(const Filter& effect, const std::string& oldName, const std::string& newName);
    // Deletes the user's setting `name`.
    ResultCode Delete(const Filter& effect, const std::string& name);

    // Yes/No questions before a setting is replaced or deleted, owned by
    // `owner` (strings 10710 and 10711, 10700 and 10701, each text with the
    // name). 0 for Yes; -1 for No, and without an owner window.
    static ResultCode ConfirmReplace(void* owner, const std::string& name);
    static ResultCode ConfirmDelete(void* owner, const std::string& name);

    // The options file. Load: -1, changing nothing, when the file is
    // missing or is not an options file.
    ResultCode SaveOptions(const OptionsRecord& options);
    ResultCode LoadOptions(OptionsRecord& options);

    // A settings file's text for the values of `set`, and the reading of
    // one into the record under `set`. Reading: the first word of the first
    // line must be `internalName`, letter case included; each further line
    // is a key, a blank and a value; every parameter that has the key reads
    // the value, and after each parameter's turn at a line its Validate
    // runs. Keys no parameter has are passed over. -1, changing nothing,
    // for another header or a line without a blank; -1 when LoadExtra
    // fails, with the values before that line read: the callers read into
    // a record of their own and keep none of it then.
    ResultCode WriteSettingsText(const std::string& internalName, const ParameterSet& set, std::string& text);
    ResultCode ReadSettingsText(const std::string& internalName, ParameterSet& set, std::string_view text);
    // The same, saying in `why` what made the text unusable.
    ResultCode ReadSettingsText(const std::string& internalName, ParameterSet& set, std::string_view text,
                                std::string& why);

    // The folder of the effect's user or factory settings; the user's is
    // made when missing.
    ResultCode SettingsFolder(const Filter& effect, bool fromUser, EntryFolder& folder) const;

protected:
    // Lines of a parameter class the table of ParameterLines.h does not
    // hold, appended to `text`. The base writes nothing and succeeds.
    virtual ResultCode SaveExtra(std::string& text, const FilterParameter& parameter);
    // Reads the value of `key` into such a parameter; -1, with `why`, for a
    // value the parameter cannot hold. The base reads nothing and succeeds.
    virtual ResultCode LoadExtra(FilterParameter& parameter, std::string_view value, uint32_t key, std::string& why);

private:
    const ISettingsFolders& folders_;
};
