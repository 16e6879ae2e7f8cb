#include "imaging/heif_picture.h"

#include <libheif/heif.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace imaging {

namespace {

// libheif reads the picture through these, from the open file they are given.
int64_t position(void* file)
{
    return static_cast<QIODevice*>(file)->pos();
}

int read(void* data, size_t size, void* file)
{
    return static_cast<QIODevice*>(file)->read(static_cast<char*>(data), qint64(size)) == qint64(size) ? 0 : -1;
}

int seek(int64_t to, void* file)
{
    return static_cast<QIODevice*>(file)->seek(to) ? 0 : -1;
}

// libheif asks before it reads: the end of the file is where a picture cut short stops.
heif_reader_grow_status waitForFileSize(int64_t size, void* file)
{
    return size <= static_cast<QIODevice*>(file)->size() ? heif_reader_grow_status_size_reached
                                                         : heif_reader_grow_status_size_beyond_eof;
}

// libheif keeps reading through it after the file is opened, as long as the context lives.
const heif_reader kFileReader = [] {
    heif_reader reader{};
    reader.reader_api_version = 1;
    reader.get_position = &position;
    reader.read = &read;
    reader.seek = &seek;
    reader.wait_for_file_size = &waitForFileSize;
    return reader;
}();

QSize sizeOf(const heif_image_handle* handle)
{
    const QSize size(heif_image_handle_get_width(handle), heif_image_handle_get_height(handle));
    return size.isEmpty() ? QSize() : size;
}

// Whether `thumbnail` is `picture` scaled, each side rounded either way.
bool sameShape(QSize thumbnail, QSize picture)
{
    const qint64 crossed = qint64(thumbnail.width()) * picture.height() - qint64(thumbnail.height()) * picture.width();
    return qAbs(crossed) <= qint64(picture.width()) + picture.height();
}

using DecodedImage = std::unique_ptr<heif_image, decltype(&heif_image_release)>;

// Averages blocks of `factor` x `factor` pixels of 8-bit RGB or RGBA into one pixel of `reduced`,
// the blocks at the right and bottom edges over the pixels they hold. Straight alpha weighs each
// colour by its alpha, so that transparent pixels lend the average no colour.
QImage boxReduced(const uint8_t* data, int stride, QSize full, bool alpha, bool premultiplied, QSize reduced, int factor)
{
    QImage output(reduced, alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (output.isNull())
        return QImage();
    const int channels = alpha ? 4 : 3;
    const bool weighByAlpha = alpha && !premultiplied;
    std::vector<quint64> sums(std::size_t(reduced.width()) * 4);
    for (int row = 0; row < reduced.height(); ++row) {
        std::fill(sums.begin(), sums.end(), 0);
        const int top = row * factor;
        const int bottom = std::min(full.height(), top + factor);
        for (int y = top; y < bottom; ++y) {
            const uint8_t* line = data + qsizetype(y) * stride;
            for (int column = 0; column < reduced.width(); ++column) {
                const int left = column * factor;
                const int right = std::min(full.width(), left + factor);
                quint64 red = 0, green = 0, blue = 0, opacity = 0;
                for (const uint8_t* pixel = line + left * channels; pixel < line + right * channels; pixel += channels) {
                    const quint64 a = alpha ? pixel[3] : 255;
                    const quint64 weight = weighByAlpha ? a : 1;
                    red += pixel[0] * weight;
                    green += pixel[1] * weight;
                    blue += pixel[2] * weight;
                    opacity += a;
                }
                quint64* sum = &sums[std::size_t(column) * 4];
                sum[0] += red;
                sum[1] += green;
                sum[2] += blue;
                sum[3] += opacity;
            }
        }
        auto* out = reinterpret_cast<QRgb*>(output.scanLine(row));
        for (int column = 0; column < reduced.width(); ++column) {
            const quint64 count = quint64(bottom - top) * (std::min(full.width(), (column + 1) * factor) - column * factor);
            const quint64 divisor = count * (weighByAlpha ? 255 : 1);
            const quint64* sum = &sums[std::size_t(column) * 4];
            const int a = int((sum[3] + count / 2) / count);
            auto channel = [&](quint64 total) { return std::min(a, int((total + divisor / 2) / divisor)); };
            out[column] = qRgba(channel(sum[0]), channel(sum[1]), channel(sum[2]), a);
        }
    }
    return output;
}

}  // namespace

bool HeifPicture::Recognises(QIODevice& file)
{
    // The file type box with its brands; libheif needs at least its first 12 bytes.
    char start[32];
    const qint64 length = file.peek(start, sizeof start);
    return length >= 12 &&
           heif_check_filetype(reinterpret_cast<const uint8_t*>(start), int(length)) == heif_filetype_yes_supported;
}

HeifPicture::HeifPicture(QIODevice& file) : context_(heif_context_alloc())
{
    if (!context_ || heif_context_read_from_reader(context_, &kFileReader, &file, nullptr).code != heif_error_Ok ||
        heif_context_get_primary_image_handle(context_, &primary_).code != heif_error_Ok)
        return;
    size_ = sizeOf(primary_);
    heif_item_id thumbnail = 0;
    if (heif_image_handle_get_list_of_thumbnail_IDs(primary_, &thumbnail, 1) == 1 &&
        heif_image_handle_get_thumbnail(primary_, thumbnail, &thumbnail_).code == heif_error_Ok) {
        const QSize size = sizeOf(thumbnail_);
        if (!size.isEmpty() && !size_.isEmpty() && sameShape(size, size_))
            thumbnailSize_ = size;
    }
}

HeifPicture::~HeifPicture()
{
    if (thumbnail_)
        heif_image_handle_release(thumbnail_);
    if (primary_)
        heif_image_handle_release(primary_);
    if (context_)
        heif_context_free(context_);
}

const heif_image_handle* HeifPicture::handleOf(Source source) const
{
    if (source == Source::Primary)
        return size_.isEmpty() ? nullptr : primary_;
    return thumbnailSize_.isEmpty() ? nullptr : thumbnail_;
}

int HeifPicture::reductionFactor(Source source, QSize wanted) const
{
    const QSize full = source == Source::Primary ? size_ : thumbnailSize_;
    if (full.isEmpty() || !wanted.isValid() || wanted.isEmpty())
        return 1;
    return std::max(1, std::min(full.width() / wanted.width(), full.height() / wanted.height()));
}

QSize HeifPicture::reducedSize(Source source, QSize wanted) const
{
    const QSize full = source == Source::Primary ? size_ : thumbnailSize_;
    const int factor = reductionFactor(source, wanted);
    return QSize((full.width() + factor - 1) / factor, (full.height() + factor - 1) / factor);
}

qint64 HeifPicture::decodingBytes(Source source, QSize wanted) const
{
    const heif_image_handle* handle = handleOf(source);
    if (!handle)
        return 0;
    const QSize full = sizeOf(handle);
    const qint64 pixels = qint64(full.width()) * full.height();
    const int bits = heif_image_handle_get_luma_bits_per_pixel(handle);
    const qint64 bytesPerSample = bits > 0 && bits <= 8 ? 1 : 2;
    const bool alpha = heif_image_handle_has_alpha_channel(handle);
    const qint64 planes = pixels * bytesPerSample * (alpha ? 5 : 3) / 2;
    const qint64 picture = pixels * (alpha ? 4 : 3);
    const QSize reduced = reducedSize(source, wanted);
    const qint64 reducedCopy = reduced == full ? 0 : qint64(reduced.width()) * reduced.height() * 4;
    return planes + picture + reducedCopy;
}

QImage HeifPicture::decode(Source source, QSize wanted) const
{
    const heif_image_handle* handle = handleOf(source);
    if (!handle)
        return QImage();
    const bool alpha = heif_image_handle_has_alpha_channel(handle);
    const bool premultiplied = alpha && heif_image_handle_is_premultiplied_alpha(handle);
    heif_decoding_options* options = heif_decoding_options_alloc();
    options->convert_hdr_to_8bit = 1;
    // Not strict: a colour description libheif does not know (an unknown set of primaries) still
    // decodes, as in other viewers; libheif 1.15 also leaks the picture when strictness refuses it.
    // Data cut short fails either way.
    heif_image* decoded = nullptr;
    const heif_error error = heif_decode_image(handle, &decoded, heif_colorspace_RGB,
                                               alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options);
    heif_decoding_options_free(options);
    DecodedImage image(decoded, &heif_image_release);
    if (error.code != heif_error_Ok || !image)
        return QImage();
    const QSize full = sizeOf(handle);
    int stride = 0;
    const uint8_t* data = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    const QSize decodedSize(heif_image_get_width(image.get(), heif_channel_interleaved),
                            heif_image_get_height(image.get(), heif_channel_interleaved));
    if (!data || decodedSize != full || heif_image_get_bits_per_pixel(image.get(), heif_channel_interleaved) != (alpha ? 32 : 24))
        return QImage();
    if (const int factor = reductionFactor(source, wanted); factor > 1)
        return boxReduced(data, stride, full, alpha, premultiplied, reducedSize(source, wanted), factor);
    const QImage::Format format = !alpha ? QImage::Format_RGB888
                                  : premultiplied ? QImage::Format_RGBA8888_Premultiplied
                                                  : QImage::Format_RGBA8888;
    // The decoder's pixels are the picture's; they live as long as the picture does.
    heif_image* kept = image.release();
    return QImage(data, full.width(), full.height(), stride, format,
                  [](void* pixels) { heif_image_release(static_cast<heif_image*>(pixels)); }, kept);
}

}  // namespace imaging
