#pragma once

#include "tests/support/temporary_directory.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace imaging_test {

// A temporary folder that test pictures are written into.
class PictureFolder {
public:
    QString path(const QString& name) const;

    // Encodes `picture` as `format` (quality -1: the encoder's default) and returns its path.
    QString save(const QString& name, const QImage& picture, const char* format, int quality = -1) const;

    // Writes raw bytes, for files that are not (quite) pictures.
    QString write(const QString& name, const QByteArray& bytes) const;

private:
    test_support::TemporaryDirectory folder_;
};

}  // namespace imaging_test
