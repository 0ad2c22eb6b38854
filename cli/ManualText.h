// The texts of the dapple command's manual (cli/manual/), which the build
// also makes into the manual page dapple.1.
#pragma once

// The text of `topic`, a command's name, or of the program itself for "";
// null when there is no such topic.
const char* ManualText(const char* topic);
// The commands' topics, in the manual's order; null past the last.
const char* ManualTopicAt(int index);
