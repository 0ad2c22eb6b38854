// libjpeg's error reports for our readers and writers. libjpeg reports
// errors through a handler that must not return, so ours longjmps back: every
// libjpeg call sits in a plain function that sets the jump point first and
// keeps no C++ object with a destructor; the owning objects live in the
// callers.
#pragma once

#include <csetjmp>
#include <cstdio>

// jpeglib.h needs size_t and FILE declared before it.
#include <jerror.h>
#include <jpeglib.h>

struct JpegErrors {
    jpeg_error_mgr manager;  // first: libjpeg hands back a pointer to it
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool damagedProfile;  // the ICC segments did not fit together
};

// Sets up ERRORS to jump to its jump point on an error, and on a warning
// that means the data is damaged.
void InstallErrors(JpegErrors& errors);
