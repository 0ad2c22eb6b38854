// The folder that holds the programs' data: the content (Content/) and the
// factory settings and libraries (Settings/). It is looked for, in turn,
//   beside the program or plug-in module (ModuleFolder), where a build and
//     the Windows plug-in folder keep it;
//   in share/mornebrook-dapple beside the program's bin folder, where an
//     installation puts it;
//   where the environment variable DAPPLE_DATA points.
// The first that holds a Content or a Settings folder is taken.
#pragma once

#include <string>
#include <vector>

// The name of the data folder of an installation, below its share folder.
inline constexpr char kInstalledDataFolder[] = "mornebrook-dapple";

struct DataFolderSearch {
    std::string found;                // with a trailing separator; empty when none holds data
    std::vector<std::string> places;  // every folder looked at, in order
};

DataFolderSearch FindDataFolder();

// The folder found; when none holds data, the module's folder (empty when
// that cannot be found either), so that what is missing is named there.
std::string DataFolder();

// "A, B and C (DAPPLE_DATA is not set)": where the data was looked for, for
// a message that says it was not found.
std::string DataFolderPlaces();
