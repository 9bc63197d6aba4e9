// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/png_bands.h"

#include "view/render_output.h"

#include <QImage>

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <csetjmp>
#include <new>
#include <vector>

namespace {

constexpr qint64 bandBytes = qint64(16) << 20;

// The result says what went wrong; libpng need not print it.
[[noreturn]] void quietError(png_structp png, png_const_charp /*message*/) { png_longjmp(png, 1); }
void quietWarning(png_structp /*png*/, png_const_charp /*message*/) {}

void writeToOutput(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<RenderOutput*>(png_get_io_ptr(png));
    out->write(std::string_view(reinterpret_cast<const char*>(data), length));
    if (out->failed())
        png_error(png, "the output cannot be written");
}

void flushOutput(png_structp png) { static_cast<RenderOutput*>(png_get_io_ptr(png))->flush(); }

// libpng reports errors by a long jump: the jump target holds nothing that
// needs destroying, and false means the encoder gave up.
bool writeHeader(png_structp png, png_infop info, QSize size)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, png_uint_32(size.width()), png_uint_32(size.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    // A chart is mostly flat colour: run lengths over the left neighbour's
    // difference pack it nearly as tight as the default, many times faster.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_set_compression_level(png, 1);
    png_write_info(png, info);
    // QImage's RGB32 rows are blue, green, red, unused byte in memory.
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    return true;
}

bool writeRows(png_structp png, png_bytepp rows, int count)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_write_rows(png, rows, png_uint_32(count));
    return true;
}

bool writeEnd(png_structp png, png_infop info)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_write_end(png, info);
    return true;
}

// Owns the encoder's state.
struct PngEncoder {
    PngEncoder()
    {
        png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, quietError, quietWarning);
        info = png ? png_create_info_struct(png) : nullptr;
    }
    ~PngEncoder() { png_destroy_write_struct(&png, &info); }
    PngEncoder(const PngEncoder&) = delete;
    PngEncoder& operator=(const PngEncoder&) = delete;
    png_structp png;
    png_infop info;
};

} // namespace

Result checkPngSize(QSize size)
{
    if (size.width() <= maxPngSide && size.height() <= maxPngSide)
        return {};
    return Result::failure(
        Result::TooLarge,
        STIRPA_TR_NOOP("Message", "the picture would be %1 × %2 pixels; a PNG "
                                  "can be at most %3 pixels on a side"),
        {std::to_string(size.width()), std::to_string(size.height()), std::to_string(maxPngSide)});
}

void writePngInBands(QSize size, const BandPainter& paint, RenderOutput& out, int bandRows)
{
    if (bandRows <= 0)
        bandRows =
            int(std::clamp<qint64>(bandBytes / (qint64(size.width()) * 4), 1, size.height()));
    PngEncoder encoder;
    if (!encoder.info)
        throw std::bad_alloc();
    png_set_write_fn(encoder.png, &out, writeToOutput, flushOutput);
    if (!writeHeader(encoder.png, encoder.info, size))
        throw RenderStopped();

    QImage band(size.width(), bandRows, QImage::Format_RGB32);
    if (band.isNull())
        throw std::bad_alloc();
    std::vector<png_bytep> rows(std::size_t(bandRows), nullptr);
    for (int top = 0; top < size.height(); top += bandRows) {
        const int count = std::min(bandRows, size.height() - top);
        paint(band, top);
        for (int row = 0; row < count; ++row)
            rows[std::size_t(row)] = band.scanLine(row);
        if (!writeRows(encoder.png, rows.data(), count))
            throw RenderStopped();
        out.reportDone(double(top + count) / size.height());
    }
    if (!writeEnd(encoder.png, encoder.info))
        throw RenderStopped();
    out.flush();
}
