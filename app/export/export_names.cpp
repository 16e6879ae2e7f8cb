#include "app/export/export_names.h"

namespace html_export {

namespace {

constexpr qsizetype kExtensionLength = 4;
constexpr qsizetype kSoundExtensionLength = 3;

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

QString ExportNames::SoundExtension(const QString& soundPath)
{
    return FileName(soundPath).right(kSoundExtensionLength);
}

}  // namespace html_export
