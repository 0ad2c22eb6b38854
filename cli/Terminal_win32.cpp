#include "cli/Terminal.h"

#include <io.h>
#include <stdio.h>

bool StandardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }
