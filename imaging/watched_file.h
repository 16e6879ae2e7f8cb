#pragma once

#include <QFile>

namespace imaging {

// A picture file that notices when its decoder asks for more bytes than the file holds. Some
// decoders (JPEG, BMP) fill the missing part of a truncated picture with grey and report success;
// this is how such a picture is told apart from a complete one.
class WatchedFile : public QFile {
public:
    using QFile::QFile;

    // Readers look ahead through the whole file for its size or frame count; only what the
    // decoding itself asks for counts, so call this between the two.
    void forgetLookAhead() { ranOut_ = false; }
    bool ranOut() const { return ranOut_; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;

private:
    bool ranOut_ = false;
};

}  // namespace imaging
