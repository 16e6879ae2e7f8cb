#pragma once

#include "app/export/export_problem.h"

#include <QString>
#include <functional>
#include <span>
#include <vector>

namespace html_export {

// One JPEG file to make from a picture, at a quality from 0 to 100.
struct JpegTarget {
    QString path;
    int quality;
};

// Makes the 640 × 480 pictures of the site: the source letterboxed and centred on white, larger or
// smaller pictures scaled to fit with high-quality filtering, the source's resolution kept. The
// picture is decoded once for all targets (at reduced scale when it is larger than needed), so the
// two qualities of one picture cost one decoding.
//
// Thread: any; conversions share nothing.
class JpegConverter {
public:
    // How the export turns a picture into its targets; ConvertToJpeg unless a caller watches it.
    using Convert = std::function<std::vector<ExportProblem>(const QString& source, std::span<const JpegTarget> targets)>;

    // Returns what could not be made: every target when the source cannot be read (missing,
    // undecodable, or of size 0), else the targets that could not be written.
    static std::vector<ExportProblem> ConvertToJpeg(const QString& source, std::span<const JpegTarget> targets);
};

}  // namespace html_export
