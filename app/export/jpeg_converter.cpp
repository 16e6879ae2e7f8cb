#include "app/export/jpeg_converter.h"

#include "app/export/page_geometry.h"
#include "app/export/site_files.h"
#include "imaging/bitmap.h"
#include "imaging/graphics.h"
#include "imaging/image.h"
#include "imaging/jpeg_encoder.h"

namespace html_export {

namespace {

constexpr quint32 kOpaqueWhite = 0xFFFFFFFF;

std::vector<ExportProblem> allTargets(std::span<const JpegTarget> targets, const QString& reason)
{
    std::vector<ExportProblem> problems;
    for (const JpegTarget& target : targets)
        problems.push_back({target.path, reason});
    return problems;
}

}  // namespace

std::vector<ExportProblem> JpegConverter::ConvertToJpeg(const QString& source, std::span<const JpegTarget> targets)
{
    const QString unreadable = QStringLiteral("The picture \"%1\" could not be read.").arg(source);
    const std::optional<QRect> placement = PageGeometry::PictureRect(imaging::Image::SizeOfFile(source));
    if (!placement)
        return allTargets(targets, unreadable);
    // Decoded straight to the size it is drawn at, so drawing copies pixels without scaling again.
    const imaging::Image picture = imaging::Image::FromFile(source, placement->size());
    if (picture.size() != placement->size())
        return allTargets(targets, unreadable);

    imaging::Bitmap bitmap(PageGeometry::kImageSize, picture.horizontalResolution(), picture.verticalResolution());
    {
        imaging::Graphics graphics(bitmap.device());
        graphics.clear(kOpaqueWhite);
        graphics.setInterpolation(imaging::Interpolation::HighQuality);
        graphics.drawImage(picture, *placement);
    }
    const imaging::Image page = bitmap.image();
    std::vector<ExportProblem> problems;
    for (const JpegTarget& target : targets) {
        const QByteArray bytes = imaging::JpegEncoder(target.quality).encode(page);
        if (bytes.isEmpty())
            problems.push_back({target.path, QStringLiteral("The picture could not be encoded.")});
        else if (std::optional<QString> failure = SiteFiles::WriteFile(target.path, bytes))
            problems.push_back({target.path, *failure});
    }
    return problems;
}

}  // namespace html_export
