// Feeds arbitrary bytes to the picture decoding of the imaging layer, as the export, the map view
// and the file browser reach it: the header's size, a reduced decode to the export's size and a full
// decode, whatever format the bytes claim to be (JPEG, PNG, GIF, BMP, WebP, HEIC and AVIF, ...), and
// the thumbnail a HEIF container carries.
#include "imaging/image.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

QTemporaryDir* folder = nullptr;
QString picture;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // The decoders are plug-ins, found through the application's library paths.
    static QCoreApplication application(*argc, *argv);
    folder = new QTemporaryDir();
    if (!folder->isValid())
        std::abort();
    picture = folder->filePath(QStringLiteral("picture"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QFile file(picture);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) != static_cast<qint64>(size))
        std::abort();
    file.close();

    const QSize declared = imaging::Image::SizeOfFile(picture);
    const QSize wanted(640, 480);
    // A reduced decode gives exactly the size asked for, or nothing.
    const imaging::Image reduced = imaging::Image::FromFile(picture, wanted);
    if (!reduced.size().isEmpty() && reduced.size() != wanted)
        std::abort();
    // So does a decode that may come from the file's own thumbnail.
    const QSize cell(200, 150);
    const imaging::Image thumbnail = imaging::Image::ThumbnailFromFile(picture, cell);
    if (!thumbnail.size().isEmpty() && thumbnail.size() != cell)
        std::abort();
    // A decoded picture never claims more pixels than its header declared.
    const imaging::Image full = imaging::Image::FromFile(picture);
    if (!full.size().isEmpty() && (declared.isEmpty() || full.size() != declared))
        std::abort();
    return 0;
}
