#include "dialogs/jpeg_picture.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t first
#include <jpeglib.h>

namespace zelvo::dialogs {

namespace {

// Larger pictures are refused before anything is allocated for them.
constexpr JDIMENSION kMaxSide = 8192;

struct ErrorManager {
    jpeg_error_mgr base;  // first, so that libjpeg's pointer to it is a pointer to this
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void failDecoding(j_common_ptr info)
{
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    errors->base.format_message(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings (level -1) mean damaged data: a truncated picture comes out with a grey rest. Trace
// messages (levels 0 and up) are ignored; nothing is printed.
void onMessage(j_common_ptr info, int level)
{
    if (level < 0)
        failDecoding(info);
}

// Everything that changes after setjmp lives here, outside the frame that calls setjmp.
struct Decoding {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    QImage image;
};

bool decode(Decoding& d, QByteArrayView jpeg)
{
    if (setjmp(d.errors.jump))
        return false;  // only libjpeg's frames lie between here and the longjmp
    jpeg_create_decompress(&d.info);
    jpeg_mem_src(&d.info, reinterpret_cast<const unsigned char*>(jpeg.data()),
                 static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&d.info, TRUE);
    if (d.info.image_width > kMaxSide || d.info.image_height > kMaxSide) {
        std::snprintf(d.errors.message, sizeof d.errors.message, "picture too large: %u x %u",
                      d.info.image_width, d.info.image_height);
        return false;
    }
    d.info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d.info);
    d.image = QImage(int(d.info.output_width), int(d.info.output_height), QImage::Format_RGB888);
    if (d.image.isNull()) {
        std::snprintf(d.errors.message, sizeof d.errors.message, "out of memory");
        return false;
    }
    while (d.info.output_scanline < d.info.output_height) {
        JSAMPROW row = d.image.scanLine(int(d.info.output_scanline));
        jpeg_read_scanlines(&d.info, &row, 1);
    }
    jpeg_finish_decompress(&d.info);
    return true;
}

}  // namespace

QImage decodeJpeg(QByteArrayView jpeg, QString* error)
{
    Decoding d;
    d.info.err = jpeg_std_error(&d.errors.base);
    d.errors.base.error_exit = failDecoding;
    d.errors.base.emit_message = onMessage;
    const bool ok = decode(d, jpeg);
    jpeg_destroy_decompress(&d.info);  // also after a failure, whatever state it left
    if (ok)
        return d.image;
    if (error)
        *error = QString::fromLocal8Bit(d.errors.message);
    return {};
}

}  // namespace zelvo::dialogs
