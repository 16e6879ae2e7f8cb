#include "tests/app/export/site_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <gtest/gtest.h>

namespace export_test {

QString SiteFolder::path(const QString& relative) const
{
    return QString::fromStdString(folder_.path().string()) + u'/' + relative;
}

QString SiteFolder::picture(const QString& name, QSize size, QColor colour) const
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString file = path(name);
    EXPECT_TRUE(image.save(file)) << file.toStdString();
    return file;
}

QString SiteFolder::photo(const QString& name, QSize size) const
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb((x * 7) ^ (y * 3), (x * y) >> 4, (x + y) * 5));
    }
    const QString file = path(name);
    EXPECT_TRUE(image.save(file, nullptr, 95)) << file.toStdString();
    return file;
}

QString SiteFolder::write(const QString& name, const QByteArray& bytes) const
{
    const QString file = path(name);
    QFile output(file);
    EXPECT_TRUE(output.open(QIODevice::WriteOnly) && output.write(bytes) == bytes.size()) << file.toStdString();
    return file;
}

QString SiteFolder::folder(const QString& name) const
{
    const QString folderPath = path(name);
    EXPECT_TRUE(QDir().mkpath(folderPath));
    return folderPath;
}

bool SiteFolder::exists(const QString& relative) const
{
    return QFileInfo::exists(path(relative));
}

QByteArray SiteFolder::read(const QString& relative) const
{
    QFile input(path(relative));
    if (!input.open(QIODevice::ReadOnly))
        return QByteArray();
    return input.readAll();
}

QByteArray StoredPage(const QString& text)
{
    return text.toUtf8().replace("\n", "\r\n");
}

QString ExpectedPage(const QString& name)
{
    QFile input(QStringLiteral(PINLORE_EXPECTED_PAGES "/") + name);
    EXPECT_TRUE(input.open(QIODevice::ReadOnly)) << name.toStdString();
    return QString::fromUtf8(input.readAll());
}

}  // namespace export_test
