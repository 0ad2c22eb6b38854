// The strings and product version that non-Windows builds carry inside the
// program instead of in a module's resources. The definitions are generated
// from resources/strings.txt (library dapple_strings); the Windows modules
// get the same texts as a string table.
#pragma once

// The text of string `id`, or null when there is no such string.
const char* FindBuiltInString(int id);

// The product version the build was configured with, such as "1.0.0".
const char* BuiltInProductVersion();
