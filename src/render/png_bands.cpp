// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/png_bands.h"

#include "render/render_output.h"

#include <QImage>

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <condition_variable>
#include <csetjmp>
#include <mutex>
#include <new>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// Small enough that painting one band overlaps compressing the last even
// for a picture of a few bands.
constexpr qint64 bandBytes = qint64(4) << 20;

// The result says what went wrong; libpng need not print it.
[[noreturn]] void quietError(png_structp png, png_const_charp /*message*/) { png_longjmp(png, 1); }
void quietWarning(png_structp /*png*/, png_const_charp /*message*/) {}

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

// Packs a painted band's rows, in place, into the red, green, blue bytes the
// PNG holds. Done here, on the painting thread, it leaves less to the
// encoder's, which has the more to do.
void packRgb(QImage& band, int rows)
{
    for (int y = 0; y < rows; ++y) {
        uchar* line = band.scanLine(y);
        const int width = band.width();
        for (int x = 0; x < width; ++x) {
            // Each pixel is read before its bytes or the next pixel's are written.
            const QRgb pixel = reinterpret_cast<const QRgb*>(line)[x];
            line[3 * x] = uchar(qRed(pixel));
            line[3 * x + 1] = uchar(qGreen(pixel));
            line[3 * x + 2] = uchar(qBlue(pixel));
        }
    }
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

// Compresses painted bands on a thread of its own while the caller paints the
// next: compressing is most of a PNG's time, and this way it no longer adds to
// painting's. Two bands take turns. The encoder never touches the output: its
// bytes wait here until the caller's thread writes them.
class BandEncoder {
public:
    BandEncoder(QSize size, int bandRows) : size_(size)
    {
        for (QImage& band : bands_) {
            band = QImage(size.width(), bandRows, QImage::Format_RGB32);
            if (band.isNull())
                throw std::bad_alloc();
        }
        if (!encoder_.info)
            throw std::bad_alloc();
        png_set_write_fn(encoder_.png, this, keepBytes, nullptr);
        rows_.assign(std::size_t(bandRows), nullptr);
        try {
            thread_ = std::thread([this] { encode(); });
        } catch (const std::system_error&) {
            // Out of threads is out of resources, as is out of memory.
            throw std::bad_alloc();
        }
    }
    ~BandEncoder()
    {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    BandEncoder(const BandEncoder&) = delete;
    BandEncoder& operator=(const BandEncoder&) = delete;

    // The band to paint next, once the encoder is done with it; the bytes
    // encoded so far go to `out` meanwhile.
    QImage& nextBand(RenderOutput& out)
    {
        QImage& band = bands_[painted_ % bands_.size()];
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return failed_ || painted_ - encoded_ < bands_.size(); });
        writeOut(lock, out);
        return band;
    }
    // Hands over the band last given out, holding `rows` rows.
    void submit(int rows)
    {
        {
            std::lock_guard lock(mutex_);
            bandRowCounts_[painted_ % bands_.size()] = rows;
            ++painted_;
        }
        changed_.notify_all();
    }
    // Waits for the last band and the end of the file, and writes them out.
    void finish(RenderOutput& out)
    {
        std::unique_lock lock(mutex_);
        finishing_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return failed_ || ended_; });
        writeOut(lock, out);
    }

private:
    static void keepBytes(png_structp png, png_bytep data, png_size_t length)
    {
        auto* self = static_cast<BandEncoder*>(png_get_io_ptr(png));
        bool kept = true;
        {
            std::lock_guard lock(self->mutex_);
            try {
                self->bytes_.append(reinterpret_cast<const char*>(data), length);
            } catch (const std::bad_alloc&) {
                kept = false;
            }
        }
        // Jumps out only once the lock is let go.
        if (!kept)
            png_error(png, "out of memory");
    }

    void writeOut(std::unique_lock<std::mutex>& lock, RenderOutput& out)
    {
        std::string bytes;
        bytes.swap(bytes_);
        const bool failed = failed_;
        lock.unlock();
        out.write(bytes);
        if (failed || out.failed())
            throw RenderStopped();
    }

    void encode()
    {
        if (!writeHeader(encoder_.png, encoder_.info, size_))
            return fail();
        for (;;) {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stopping_ || finishing_ || encoded_ < painted_; });
            if (stopping_)
                return;
            if (encoded_ == painted_) {
                lock.unlock();
                const bool ended = writeEnd(encoder_.png, encoder_.info);
                lock.lock();
                (ended ? ended_ : failed_) = true;
                changed_.notify_all();
                return;
            }
            const std::size_t turn = encoded_ % bands_.size();
            const int count = bandRowCounts_[turn];
            lock.unlock();
            // The band is ours until it is counted encoded; libpng copies each
            // row before changing it.
            const QImage& band = bands_[turn];
            for (int row = 0; row < count; ++row)
                rows_[std::size_t(row)] = const_cast<png_bytep>(band.constScanLine(row));
            if (!writeRows(encoder_.png, rows_.data(), count))
                return fail();
            lock.lock();
            ++encoded_;
            changed_.notify_all();
        }
    }

    void fail()
    {
        {
            std::lock_guard lock(mutex_);
            failed_ = true;
        }
        changed_.notify_all();
    }

    QSize size_;
    PngEncoder encoder_;
    std::array<QImage, 2> bands_;
    std::array<int, 2> bandRowCounts_{};
    std::vector<png_bytep> rows_; // the encoder's view of a band
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t painted_ = 0; // bands handed over
    std::size_t encoded_ = 0; // bands compressed
    std::string bytes_;       // encoded, not yet written out
    bool finishing_ = false;
    bool stopping_ = false;
    bool ended_ = false;
    bool failed_ = false;
    std::thread thread_;
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
    BandEncoder encoder(size, bandRows);
    for (int top = 0; top < size.height(); top += bandRows) {
        QImage& band = encoder.nextBand(out);
        paint(band, top);
        const int rows = std::min(bandRows, size.height() - top);
        packRgb(band, rows);
        encoder.submit(rows);
        out.reportDone(double(top) / size.height());
    }
    encoder.finish(out);
    out.reportDone(1.0);
    out.flush();
}
