#include "tests/support/heif_writer.h"

#include <libheif/heif.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace test_support {

namespace {

void check(heif_error error)
{
    if (error.code != heif_error_Ok) throw std::runtime_error(std::string("libheif: ") + error.message);
}

// `picture` as interleaved RGB(A) samples of `bitDepth` bits.
std::unique_ptr<heif_image, decltype(&heif_image_release)> samplesOf(const QImage& picture, int bitDepth)
{
    const bool alpha = picture.hasAlphaChannel();
    const bool deep = bitDepth > 8;
    const heif_chroma chroma = deep ? (alpha ? heif_chroma_interleaved_RRGGBBAA_LE : heif_chroma_interleaved_RRGGBB_LE)
                                    : (alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB);
    heif_image* created = nullptr;
    check(heif_image_create(picture.width(), picture.height(), heif_colorspace_RGB, chroma, &created));
    std::unique_ptr<heif_image, decltype(&heif_image_release)> image(created, &heif_image_release);
    check(heif_image_add_plane(image.get(), heif_channel_interleaved, picture.width(), picture.height(), bitDepth));
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(image.get(), heif_channel_interleaved, &stride);
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    const int channels = alpha ? 4 : 3;
    const int maximum = (1 << bitDepth) - 1;
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const QRgb pixel = source.pixel(x, y);
            const int values[4] = {qRed(pixel), qGreen(pixel), qBlue(pixel), qAlpha(pixel)};
            for (int c = 0; c < channels; ++c) {
                const int value = values[c] * maximum / 255;
                if (deep) {
                    uint8_t* sample = plane + y * stride + (x * channels + c) * 2;
                    sample[0] = uint8_t(value & 0xFF);
                    sample[1] = uint8_t(value >> 8);
                } else {
                    plane[y * stride + x * channels + c] = uint8_t(value);
                }
            }
        }
    return image;
}

heif_error appendTo(heif_context*, const void* data, size_t size, void* bytes)
{
    static_cast<QByteArray*>(bytes)->append(static_cast<const char*>(data), qsizetype(size));
    return heif_error{heif_error_Ok, heif_suberror_Unspecified, "Success"};
}

}  // namespace

QByteArray HeifWriter::Encode(const QImage& picture, const Options& options)
{
    std::unique_ptr<heif_context, decltype(&heif_context_free)> context(heif_context_alloc(), &heif_context_free);
    heif_encoder* made = nullptr;
    check(heif_context_get_encoder_for_format(
        context.get(), options.codec == Codec::Hevc ? heif_compression_HEVC : heif_compression_AV1, &made));
    std::unique_ptr<heif_encoder, decltype(&heif_encoder_release)> encoder(made, &heif_encoder_release);
    check(heif_encoder_set_lossy_quality(encoder.get(), 90));
    if (options.codec == Codec::Hevc) {
        check(heif_encoder_set_parameter(encoder.get(), "preset", "ultrafast"));
    } else {
        check(heif_encoder_set_parameter(encoder.get(), "speed", "9"));
        if (options.bitDepth > 8) check(heif_encoder_set_parameter(encoder.get(), "chroma", "422"));
    }
    std::unique_ptr<heif_encoding_options, decltype(&heif_encoding_options_free)> encoding(heif_encoding_options_alloc(),
                                                                                        &heif_encoding_options_free);
    encoding->image_orientation = heif_orientation(options.orientation);

    const auto image = samplesOf(picture, options.bitDepth);
    heif_image_handle* handle = nullptr;
    check(heif_context_encode_image(context.get(), image.get(), encoder.get(), encoding.get(), &handle));
    std::unique_ptr<heif_image_handle, decltype(&heif_image_handle_release)> primary(handle, &heif_image_handle_release);
    if (options.thumbnailSize > 0) {
        // libheif scales the picture given down to the thumbnail's size.
        const auto thumbnail = samplesOf(options.thumbnail.isNull() ? picture : options.thumbnail.scaled(picture.size()),
                                         options.bitDepth);
        heif_image_handle* thumbnailHandle = nullptr;
        check(heif_context_encode_thumbnail(context.get(), thumbnail.get(), primary.get(), encoder.get(), encoding.get(),
                                            options.thumbnailSize, &thumbnailHandle));
        if (thumbnailHandle) heif_image_handle_release(thumbnailHandle);
    }
    QByteArray bytes;
    heif_writer writer{1, &appendTo};
    check(heif_context_write(context.get(), &writer, &bytes));
    return bytes;
}

QByteArray HeifWriter::DeclaringSize(QByteArray heif, QSize size)
{
    // Box size and type, then version and flags, then width and height, big-endian.
    for (qsizetype at = heif.indexOf("ispe"); at >= 0; at = heif.indexOf("ispe", at + 4)) {
        const quint32 values[2] = {quint32(size.width()), quint32(size.height())};
        for (int i = 0; i < 2; ++i)
            for (int b = 0; b < 4; ++b) heif[at + 8 + 4 * i + b] = char(values[i] >> (24 - 8 * b));
    }
    return heif;
}

}  // namespace test_support
