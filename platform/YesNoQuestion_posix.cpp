#include "platform/YesNoQuestion.h"

bool AskYesNo(void* /*ownerWindow*/, const std::string& /*caption*/, const std::string& /*text*/) { return false; }
