#include "app/export/export_names.h"

namespace html_export {

namespace {

constexpr qsizetype kExtensionLength = 4;

}  // namespace

QString ExportNames::FileName(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

QString ExportNames::WithoutLastFour(const QString& name)
{
    return name.left(std::max<qsizetype>(0, name.size() - kExtensionLength));
}

QString ExportNames::DisplayName(const QString& path)
{
    const QString name = FileName(path);
    if (name.size() >= kExtensionLength && name.at(name.size() - kExtensionLength) == u'.')
        return WithoutLastFour(name);
    return name;
}

QString ExportNames::MapName(const QString& nameOrPath)
{
    return nameOrPath.contains(u'/') ? DisplayName(nameOrPath) : nameOrPath;
}

QString ExportNames::SoundFileName(int spotIndex, const QString& soundPath)
{
    const QString name = FileName(soundPath);
    const qsizetype dot = name.lastIndexOf(u'.');
    // A leading dot marks a hidden file, not an extension.
    const QString extension = dot > 0 ? name.mid(dot) : QString();
    return QStringLiteral("spot%1_sound").arg(spotIndex) + extension;
}

QString ExportNames::PictureFileName(int spotIndex, int pictureNumber)
{
    return QStringLiteral("spot%1_img%2.jpg").arg(spotIndex).arg(pictureNumber);
}

QString ExportNames::LowResolutionFileName(int spotIndex, int pictureNumber)
{
    return QStringLiteral("spot%1_lo_res_img%2.jpg").arg(spotIndex).arg(pictureNumber);
}

}  // namespace html_export
