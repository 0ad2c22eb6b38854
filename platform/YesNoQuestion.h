// A question put to the user with a Yes and a No answer, before something
// is replaced or deleted.
#pragma once

#include <string>

// Asks `text` in a task-modal box captioned `caption`, owned by
// `ownerWindow`, with the warning icon and No as the default answer. True
// for Yes. Where there are no windows nobody can answer: false.
bool AskYesNo(void* ownerWindow, const std::string& caption, const std::string& text);
