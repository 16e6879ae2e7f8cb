#include "tests/imaging/picture_folder.h"

#include <QFile>
#include <stdexcept>

namespace imaging_test {

QString PictureFolder::path(const QString& name) const
{
    return QString::fromStdString(folder_.path().string()) + '/' + name;
}

QString PictureFolder::save(const QString& name, const QImage& picture, const char* format, int quality) const
{
    const QString file = path(name);
    if (!picture.save(file, format, quality))
        throw std::runtime_error("cannot write a test picture");
    return file;
}

QString PictureFolder::write(const QString& name, const QByteArray& bytes) const
{
    const QString file = path(name);
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write a test file");
    return file;
}

}  // namespace imaging_test
