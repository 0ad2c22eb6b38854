// Which of libjpeg's warnings leave every decoded pixel as the file meant it.
// The others (premature end of data, corrupt entropy-coded data, markers in
// the middle of a scan) mean that libjpeg invented pixels it could not read.
#pragma once

bool IsHarmlessJpegWarning(int messageCode);
