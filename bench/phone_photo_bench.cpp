// One 12-megapixel photograph as a phone stores it (HEIC, with the 320-pixel thumbnail that
// `heif-enc -t 320` writes beside it) and as a camera's JPEG, made from the same picture: as the
// file browser's thumbnail of a 200 x 150 cell, and as the export's picture (two 640 x 480 JPEGs of
// qualities 50 and 20 from one decode). Beside them the desktop's tools on the same files, each run
// as its program is run, one process per picture: heif-thumbnailer (a 256-pixel thumbnail, what a
// file manager asks it for) and vipsthumbnail (the cell's size, and the export's). The ratios of
// their times come last. The files are made once into bench-phone-photo in the build folder.
#include "app/export/jpeg_converter.h"
#include "bench/support/ratio_reporter.h"
#include "bench/support/synthetic_photograph.h"
#include "imaging/image.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <benchmark/benchmark.h>

namespace {

constexpr QSize kCell(200, 150);

struct Photographs {
    QString folder = QStringLiteral(PINLORE_BUILD_FOLDER "/bench-phone-photo");
    QString jpeg = folder + "/photo.jpg";
    QString heic = folder + "/photo.heic";
    QString output = folder + "/output";
    bool made = false;
};

// Made the first time: the JPEG by Qt as the other benchmarks make theirs, the HEIC from it by
// heif-enc, as phones store their photographs.
const Photographs& Shared()
{
    static Photographs photographs = [] {
        Photographs made;
        QDir().mkpath(made.output);
        if (!QFile::exists(made.jpeg)) bench_support::MakePhotograph(1).save(made.jpeg, "JPG", 90);
        if (!QFile::exists(made.heic)) {
            const int status = QProcess::execute("heif-enc", {"-t", "320", "-o", made.heic, made.jpeg});
            if (status != 0) QFile::remove(made.heic);
        }
        made.made = QFile::exists(made.jpeg) && QFile::exists(made.heic);
        return made;
    }();
    return photographs;
}

bool Ready(benchmark::State& state)
{
    if (!Shared().made) state.SkipWithError("the photographs could not be made (is heif-enc installed?)");
    return Shared().made;
}

void Thumbnail(benchmark::State& state, const QString& path)
{
    if (!Ready(state)) return;
    for (auto _ : state)
        if (imaging::Image::ThumbnailFromFile(path, kCell).size() != kCell) state.SkipWithError("no thumbnail");
}

void ThumbnailOfJpeg(benchmark::State& state)
{
    Thumbnail(state, Shared().jpeg);
}

void ThumbnailOfHeic(benchmark::State& state)
{
    Thumbnail(state, Shared().heic);
}

// What the thumbnail would cost without the one the file carries.
void ThumbnailOfHeicFromThePicture(benchmark::State& state)
{
    if (!Ready(state)) return;
    for (auto _ : state)
        if (imaging::Image::FromFile(Shared().heic, kCell).size() != kCell) state.SkipWithError("no thumbnail");
}

void ExportPicture(benchmark::State& state, const QString& path)
{
    if (!Ready(state)) return;
    const html_export::JpegTarget targets[] = {{Shared().output + "/full.jpg", 50}, {Shared().output + "/low.jpg", 20}};
    for (auto _ : state)
        if (!html_export::JpegConverter::ConvertToJpeg(path, targets).empty()) state.SkipWithError("not converted");
}

void ExportPictureOfJpeg(benchmark::State& state)
{
    ExportPicture(state, Shared().jpeg);
}

void ExportPictureOfHeic(benchmark::State& state)
{
    ExportPicture(state, Shared().heic);
}

void Tool(benchmark::State& state, const QString& program, const QStringList& arguments)
{
    if (!Ready(state)) return;
    const QString found = QStandardPaths::findExecutable(program);
    if (found.isEmpty()) {
        state.SkipWithError(qPrintable(program + " is not installed"));
        return;
    }
    for (auto _ : state)
        if (QProcess::execute(found, arguments) != 0) state.SkipWithError(qPrintable(program + " failed"));
}

void HeifThumbnailerOfHeic(benchmark::State& state)
{
    Tool(state, "heif-thumbnailer", {"-s", "256", Shared().heic, Shared().output + "/heif-thumbnailer.png"});
}

void VipsthumbnailOfHeic(benchmark::State& state)
{
    Tool(state, "vipsthumbnail", {Shared().heic, "--size", "200x150", "-o", Shared().output + "/%s-cell.jpg"});
}

void VipsthumbnailOfJpeg(benchmark::State& state)
{
    Tool(state, "vipsthumbnail", {Shared().jpeg, "--size", "200x150", "-o", Shared().output + "/%s-cell.jpg"});
}

void VipsthumbnailExportSizeOfHeic(benchmark::State& state)
{
    Tool(state, "vipsthumbnail", {Shared().heic, "--size", "640x480", "-o", Shared().output + "/%s-page.jpg[Q=50]"});
}

void VipsthumbnailExportSizeOfJpeg(benchmark::State& state)
{
    Tool(state, "vipsthumbnail", {Shared().jpeg, "--size", "640x480", "-o", Shared().output + "/%s-page.jpg[Q=50]"});
}

}  // namespace

BENCHMARK(ThumbnailOfJpeg)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(ThumbnailOfHeic)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(ThumbnailOfHeicFromThePicture)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(ExportPictureOfJpeg)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(ExportPictureOfHeic)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(HeifThumbnailerOfHeic)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(VipsthumbnailOfHeic)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(VipsthumbnailOfJpeg)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(VipsthumbnailExportSizeOfHeic)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(VipsthumbnailExportSizeOfJpeg)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    bench_support::RatioReporter reporter({
        {"HEIC thumbnail / JPEG thumbnail", "ThumbnailOfHeic", "ThumbnailOfJpeg"},
        {"HEIC thumbnail from the picture / JPEG thumbnail", "ThumbnailOfHeicFromThePicture", "ThumbnailOfJpeg"},
        {"HEIC export picture / JPEG export picture", "ExportPictureOfHeic", "ExportPictureOfJpeg"},
        {"HEIC thumbnail / heif-thumbnailer", "ThumbnailOfHeic", "HeifThumbnailerOfHeic"},
        {"HEIC thumbnail / vipsthumbnail of the HEIC", "ThumbnailOfHeic", "VipsthumbnailOfHeic"},
        {"JPEG thumbnail / vipsthumbnail of the JPEG", "ThumbnailOfJpeg", "VipsthumbnailOfJpeg"},
        {"HEIC export picture / vipsthumbnail of the HEIC at 640 x 480", "ExportPictureOfHeic",
         "VipsthumbnailExportSizeOfHeic"},
        {"JPEG export picture / vipsthumbnail of the JPEG at 640 x 480", "ExportPictureOfJpeg",
         "VipsthumbnailExportSizeOfJpeg"},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
