#pragma once

#include "tests/support/temporary_directory.h"

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QString>

namespace export_test {

// A temporary folder holding the pictures, sounds and pin an export reads and the site it writes.
class SiteFolder {
public:
    QString path(const QString& relative) const;

    // A JPEG (or, by the name's extension, another format) of one colour.
    QString picture(const QString& name, QSize size, QColor colour = Qt::darkGreen) const;
    // A picture with detail in it, whose JPEG size depends on the quality.
    QString photo(const QString& name, QSize size) const;
    QString write(const QString& name, const QByteArray& bytes) const;
    QString folder(const QString& name) const;

    bool exists(const QString& relative) const;
    QByteArray read(const QString& relative) const;

private:
    test_support::TemporaryDirectory folder_;
};

// A page text as it is stored: every line feed as carriage return plus line feed.
QByteArray StoredPage(const QString& text);

// A page text as expected, from the folder of expected page texts.
QString ExpectedPage(const QString& name);

}  // namespace export_test
