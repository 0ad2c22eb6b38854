// The texts of a program's manual, written once as plain text files and
// made by the build (cmake/Manual.cmake) into a table in the program and
// into its manual page. Each program that calls dapple_manual defines these.
#pragma once

// The text of `topic`, a command's name, or of the program itself for "";
// null when there is no such topic.
const char* ManualText(const char* topic);
// The commands' topics, in the manual's order; null past the last.
const char* ManualTopicAt(int index);
