// Whether the process's standard error goes to a terminal (where a progress
// bar can be drawn) rather than to a file or a pipe.
#pragma once

bool StandardErrorIsTerminal();
