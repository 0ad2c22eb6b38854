#include "imagefiles/JpegErrors.h"

#include "content/JpegWarnings.h"

namespace {

[[noreturn]] void OnJpegError(j_common_ptr codec) {
    auto* errors = reinterpret_cast<JpegErrors*>(codec->err);
    errors->manager.format_message(codec, errors->message);
    std::longjmp(errors->jump, 1);
}

// libjpeg carries on through damaged or truncated data, inventing the pixels
// it cannot read. A damaged file is refused instead of yielding a quietly wrong
// picture; trace messages and harmless warnings are dropped.
void OnJpegMessage(j_common_ptr codec, int level) {
    if (level >= 0 || IsHarmlessJpegWarning(codec->err->msg_code)) return;
    if (codec->err->msg_code == JWRN_BOGUS_ICC) {
        reinterpret_cast<JpegErrors*>(codec->err)->damagedProfile = true;
        return;
    }
    OnJpegError(codec);
}

}  // namespace

void InstallErrors(JpegErrors& errors) {
    jpeg_std_error(&errors.manager);
    errors.manager.error_exit = OnJpegError;
    errors.manager.emit_message = OnJpegMessage;
    errors.message[0] = '\0';
    errors.damagedProfile = false;
}
