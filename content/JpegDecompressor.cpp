#include "content/JpegDecompressor.h"

#include "content/JpegLoader.h"
#include "content/JpegWarnings.h"

#include <jerror.h>

namespace {

// What a source hands the decoder once its data has run out: an end-of-image
// marker, as libjpeg's own sources do, so that the decoder stops. The
// warning raised with it makes the decode fail.
const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

}  // namespace

// The one place where libjpeg is called: setjmp here, in our own frame,
// catches the jump from the fatal-error hook. `call` holds no object with a
// destructor, so the jump skips nothing that needs cleaning up.
template <typename Call>
void JpegDecompressor::Guarded(Call call) {
    if (setjmp(errors_.resume) != 0) throw Vt_JPEG_Error();
    call();
}

JpegDecompressor::JpegDecompressor() {
    info_.err = jpeg_std_error(&errors_.standard);
    errors_.standardMessage = errors_.standard.emit_message;
    errors_.standard.error_exit = OnFatalError;
    errors_.standard.emit_message = OnMessage;
    Guarded([this] { jpeg_create_decompress(&info_); });
}

// Destroying a decompressor that libjpeg could not create is safe: libjpeg
// frees only what its memory manager holds.
JpegDecompressor::~JpegDecompressor() { jpeg_destroy_decompress(&info_); }

void JpegDecompressor::OnFatalError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->resume, 1);
}

void JpegDecompressor::OnMessage(j_common_ptr info, int level) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    if (level >= 0) {
        errors->standardMessage(info, level);  // trace messages as libjpeg has them
        return;
    }
    if (!IsHarmlessJpegWarning(errors->standard.msg_code)) OnFatalError(info);
    ++errors->standard.num_warnings;
}

void JpegDecompressor::UseFile(std::FILE* stream) {
    Guarded([this, stream] { jpeg_stdio_src(&info_, stream); });
}

void JpegDecompressor::UseMemory(const unsigned char* buffer, std::size_t length) {
    memory_.buffer = buffer;
    memory_.length = length;
    memory_.manager.init_source = InitMemorySource;
    memory_.manager.fill_input_buffer = FillMemorySource;
    memory_.manager.skip_input_data = SkipMemorySource;
    memory_.manager.resync_to_restart = jpeg_resync_to_restart;
    memory_.manager.term_source = TerminateMemorySource;
    memory_.manager.next_input_byte = buffer;
    memory_.manager.bytes_in_buffer = length;
    info_.src = &memory_.manager;
}

void JpegDecompressor::InitMemorySource(j_decompress_ptr info) {
    auto* source = reinterpret_cast<MemorySource*>(info->src);
    source->manager.next_input_byte = source->buffer;
    source->manager.bytes_in_buffer = source->length;
}

// Asked for more only when the whole buffer has been read: the datastream
// ended before its end-of-image marker.
boolean JpegDecompressor::FillMemorySource(j_decompress_ptr info) {
    WARNMS(info, JWRN_JPEG_EOF);
    info->src->next_input_byte = kEndOfImage;
    info->src->bytes_in_buffer = sizeof kEndOfImage;
    return TRUE;
}

// Skips marker data the decoder does not keep; a skip past the end leaves
// the source empty, so that the next read ends the stream.
void JpegDecompressor::SkipMemorySource(j_decompress_ptr info, long count) {
    if (count <= 0) return;
    jpeg_source_mgr* source = info->src;
    const std::size_t skip = static_cast<unsigned long>(count);
    if (skip >= source->bytes_in_buffer) {
        source->next_input_byte += source->bytes_in_buffer;
        source->bytes_in_buffer = 0;
        return;
    }
    source->next_input_byte += skip;
    source->bytes_in_buffer -= skip;
}

void JpegDecompressor::TerminateMemorySource(j_decompress_ptr) {}

int JpegDecompressor::ReadHeader() {
    int result = 0;
    Guarded([this, &result] { result = jpeg_read_header(&info_, TRUE); });
    return result;
}

void JpegDecompressor::Start() {
    Guarded([this] { jpeg_start_decompress(&info_); });
}

bool JpegDecompressor::ReadScanline(unsigned char* row) {
    JDIMENSION lines = 0;
    Guarded([this, row, &lines] {
        JSAMPROW rows[1] = {row};
        lines = jpeg_read_scanlines(&info_, rows, 1);
    });
    return lines == 1;
}

void JpegDecompressor::Finish() {
    Guarded([this] { jpeg_finish_decompress(&info_); });
}
