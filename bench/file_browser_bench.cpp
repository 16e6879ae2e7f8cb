// The file browser on a folder of 12-megapixel photographs: the first screen of thumbnails after
// opening the folder with a cold and with a warm desktop thumbnail cache, painting after a page of
// scrolling, and every thumbnail of the folder made by the thumbnail store, beside vipsthumbnail
// making the same thumbnails from the same photographs on the same cores (one process per core,
// each given its share of the files, writing JPEG thumbnails). The photographs are made once into
// $PINLORE_BENCH_PHOTOS (default: bench-photos in the build folder) and kept for later runs; their
// number is $PINLORE_BENCH_PHOTO_COUNT (default 1000). Every run that needs a cold cache gets a cache
// folder of its own. Both thumbnail makers start with the photographs read through once (a set
// larger than the page cache would otherwise be read from disk by whichever runs first). Beside the
// time of making every thumbnail, each maker's processor time (cpu_s): on a machine shared with
// other work the time alone also tells how many threads each side runs. Peak memory is the process's maximum resident size after all of it.
//
// The same again for phones' photographs: as many HEIC files of 12 megapixels with the 320-pixel
// thumbnail `heif-enc -t 320` writes beside each, in $PINLORE_BENCH_HEICS (default: bench-heics in
// the build folder). heif-enc takes long on a photograph, so a few are encoded and copied to make up
// the number. Their first screen with a cold cache should come within 300 ms, and all their
// thumbnails within a third of the time that decoding their pictures to the cell's size takes on
// as many threads; the ratios close the report.
#include "bench/support/ratio_reporter.h"
#include "bench/support/synthetic_photograph.h"
#include "components/browser/freedesktop_thumbnail_cache.h"
#include "components/browser/thumbnail_maker.h"
#include "components/browser/thumbnail_store.h"
#include "components/interfaces/class_ids.h"
#include "components/interfaces/table_control.h"
#include "imaging/image.h"
#include "platform/com/runtime.h"
#include "platform/ui/hosted_control.h"
#include "platform/ui/qt_strings.h"
#include "tests/support/private_component_registry.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QThread>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <thread>

namespace {

constexpr QSize kBrowser(216 + 16, 900);  // a grid about 208 pixels wide: cells of 200 x 150

int PhotoCount()
{
    bool ok = false;
    const int count = qEnvironmentVariableIntValue("PINLORE_BENCH_PHOTO_COUNT", &ok);
    return ok && count > 0 ? count : 1000;
}

QString PhotoFolder()
{
    const QString chosen = qEnvironmentVariable("PINLORE_BENCH_PHOTOS");
    return chosen.isEmpty() ? QStringLiteral(PINLORE_BUILD_FOLDER "/bench-photos") : chosen;
}

// The photographs, made on every core the first time.
QStringList Photographs()
{
    const QString folder = PhotoFolder();
    QDir().mkpath(folder);
    QStringList paths;
    for (int i = 0; i < PhotoCount(); ++i) paths << QString("%1/photo%2.jpg").arg(folder).arg(i, 4, 10, QChar('0'));
    std::vector<std::thread> makers;
    const int cores = std::max(1, QThread::idealThreadCount());
    for (int core = 0; core < cores; ++core)
        makers.emplace_back([&, core] {
            for (int i = core; i < paths.size(); i += cores)
                if (!QFile::exists(paths[i])) bench_support::MakePhotograph(unsigned(i)).save(paths[i], "JPG", 90);
        });
    for (std::thread& maker : makers) maker.join();
    return paths;
}

QString HeicFolder()
{
    const QString chosen = qEnvironmentVariable("PINLORE_BENCH_HEICS");
    return chosen.isEmpty() ? QStringLiteral(PINLORE_BUILD_FOLDER "/bench-heics") : chosen;
}

// The phones' photographs: a few encoded by heif-enc, one per core at a time, then copied.
QStringList PhonePhotographs()
{
    constexpr int kEncoded = 4;
    const QString folder = HeicFolder();
    QDir().mkpath(folder);
    QStringList paths;
    for (int i = 0; i < PhotoCount(); ++i) paths << QString("%1/IMG_%2.HEIC").arg(folder).arg(i, 4, 10, QChar('0'));
    std::vector<std::thread> encoders;
    const int cores = std::max(1, QThread::idealThreadCount());
    for (int core = 0; core < cores; ++core)
        encoders.emplace_back([&, core] {
            for (int i = core; i < std::min(kEncoded, int(paths.size())); i += cores) {
                if (QFile::exists(paths[i])) continue;
                const QString source = paths[i] + ".jpg";
                bench_support::MakePhotograph(unsigned(5000 + i)).save(source, "JPG", 95);
                if (QProcess::execute("heif-enc", {"-t", "320", "-o", paths[i], source}) != 0) QFile::remove(paths[i]);
                QFile::remove(source);
            }
        });
    for (std::thread& encoder : encoders) encoder.join();
    for (int i = kEncoded; i < paths.size(); ++i)
        if (!QFile::exists(paths[i])) QFile::copy(paths[i % kEncoded], paths[i]);
    for (const QString& path : paths)
        if (!QFile::exists(path)) return {};
    return paths;
}

// Reads every photograph through once, so that both thumbnail makers find them in the page cache
// as far as memory allows: whichever ran first would otherwise also pay for reading them from disk.
void ReadThrough(const QStringList& paths)
{
    for (const QString& path : paths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) continue;
        while (!file.read(1 << 20).isEmpty()) {
        }
    }
}

struct Fixture {
    Fixture()
    {
        test_support::UsePrivateComponentRegistry(PINLORE_COMPONENTS_LIBRARY);
        photographs = Photographs();
        scratch = QDir::tempPath() + QString("/pinlore-browser-bench-%1").arg(::getpid());
        QDir().mkpath(scratch);
        useFreshCache();
    }
    ~Fixture() { QDir(scratch).removeRecursively(); }

    // A cache folder no run has used: nothing written late by an earlier run can warm it. The
    // thumbnail stores made after this call take it.
    void useFreshCache()
    {
        QDir(scratch + QString("/cache%1").arg(caches)).removeRecursively();
        qputenv("XDG_CACHE_HOME", QFile::encodeName(scratch + QString("/cache%1").arg(++caches)));
    }

    // Made the first time a benchmark needs them; empty when heif-enc could not make them.
    const QStringList& phonePhotographs()
    {
        if (!phonePhotographsMade) {
            phones = PhonePhotographs();
            phonePhotographsMade = true;
        }
        return phones;
    }

    QStringList photographs;
    QString scratch;
    int caches = 0;

private:
    QStringList phones;
    bool phonePhotographsMade = false;
};

// The processor time of this process and of its finished child processes, in seconds: the work
// done, whatever else the machine was running.
double ProcessorSeconds(int who)
{
    rusage usage{};
    ::getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

Fixture& Shared()
{
    static Fixture fixture;
    return fixture;
}

// Counts the paints the grid's window receives.
class PaintCounter final : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }

    int paints = 0;
};

// A file browser hosted in its own window.
struct Browser {
    Browser()
    {
        host = std::make_unique<QWidget>();
        host->resize(kBrowser);
        com::ComPtr<com::IUnknown> unknown;
        com::ThrowIfFailed(ui::HostControl(u"Components.TableControl.1", *host, unknown));
        control = unknown.as<ITableControl>();
        host->show();
        grid = host->findChild<QScrollBar*>()->parentWidget();
        grid->installEventFilter(&paintCounter);
    }
    void open(const QString& folder)
    {
        auto factory = com::CreateInstance<IImageCellFactory>(CLSID_PLImageCellFactory);
        const com::Bstr name = ui::ToBstr(folder);
        factory->SetDirectory(name.get());
        control->SetCellFactory(factory.as<ICellFactory>().get());
    }
    // Whether every cell on screen shows its thumbnail (its centre is no longer the white ground), in
    // what the window last painted: read back from the screen, not painted again for the benchmark.
    bool screenComplete()
    {
        const QPoint at = grid->mapTo(host.get(), QPoint(0, 0));
        const QImage image = host->screen()->grabWindow(host->winId(), at.x(), at.y(), grid->width(), grid->height()).toImage();
        if (image.isNull()) return false;  // not painted yet
        for (int top = 0; top + 150 <= image.height(); top += 158)
            if (image.pixelColor(104, top + 40) == QColor(Qt::white)) return false;
        return true;
    }
    // Looks again only after the grid has painted.
    void waitForScreen()
    {
        int checked = -1;
        for (;;) {
            if (paintCounter.paints != checked) {
                checked = paintCounter.paints;
                if (screenComplete()) return;
            }
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    }

    PaintCounter paintCounter;
    std::unique_ptr<QWidget> host;
    com::ComPtr<ITableControl> control;
    QWidget* grid = nullptr;
};

void FirstScreen(benchmark::State& state, const QString& folder, bool warm)
{
    Fixture& fixture = Shared();
    for (auto _ : state) {
        state.PauseTiming();
        fixture.useFreshCache();
        if (warm) {
            Browser filler;
            filler.open(folder);
            filler.waitForScreen();
        }
        Browser browser;
        browser.open(QDir::tempPath());
        QCoreApplication::processEvents();
        state.ResumeTiming();
        browser.open(folder);
        browser.waitForScreen();
    }
}

void FirstScreenColdCache(benchmark::State& state)
{
    FirstScreen(state, PhotoFolder(), false);
}

void FirstScreenWarmCache(benchmark::State& state)
{
    FirstScreen(state, PhotoFolder(), true);
}

bool PhonePhotographsMade(benchmark::State& state)
{
    if (Shared().phonePhotographs().isEmpty()) state.SkipWithError("the HEIC photographs could not be made (heif-enc)");
    return !Shared().phonePhotographs().isEmpty();
}

void FirstScreenColdCacheOfPhonePhotographs(benchmark::State& state)
{
    if (PhonePhotographsMade(state)) FirstScreen(state, HeicFolder(), false);
}

void OpenFolderListing(benchmark::State& state)
{
    Shared();
    Browser browser;
    for (auto _ : state) {
        browser.open(QDir::tempPath());
        browser.open(PhotoFolder());
    }
}

void ScrollOnePageAndPaint(benchmark::State& state)
{
    Browser browser;
    browser.open(PhotoFolder());
    browser.waitForScreen();
    QScrollBar* bar = browser.host->findChild<QScrollBar*>();
    const int page = 4 * (browser.grid->height() / 158);
    for (auto _ : state) {
        bar->setValue(bar->value() + page >= bar->maximum() ? 0 : bar->value() + page);
        browser.grid->repaint();
    }
}

void AllThumbnailsByTheStore(benchmark::State& state, const QStringList& photographs)
{
    Fixture& fixture = Shared();
    for (auto _ : state) {
        state.PauseTiming();
        fixture.useFreshCache();
        ReadThrough(photographs);
        const double processorBefore = ProcessorSeconds(RUSAGE_SELF);
        state.ResumeTiming();
        {
            browser::ThumbnailStore store(browser::ThumbnailMaker(browser::FreedesktopThumbnailCache()),
                                          std::max(1, QThread::idealThreadCount()), 64 << 20);
            int ready = 0;
            QEventLoop loop;
            QObject::connect(&store, &browser::ThumbnailStore::thumbnailReady, [&] {
                if (++ready == photographs.size()) loop.quit();
            });
            for (const QString& photograph : photographs) store.find(photograph, kFileTypePicture, {200, 150});
            loop.exec();
            // Leaving the block waits for the cache's files still to be written.
        }
        state.counters["cpu_s"] = ProcessorSeconds(RUSAGE_SELF) - processorBefore;
    }
    state.counters["photographs"] = photographs.size();
}

void AllThumbnailsByTheStore(benchmark::State& state)
{
    AllThumbnailsByTheStore(state, Shared().photographs);
}

void AllThumbnailsOfPhonePhotographsByTheStore(benchmark::State& state)
{
    if (PhonePhotographsMade(state)) AllThumbnailsByTheStore(state, Shared().phonePhotographs());
}

// What the thumbnails of phones' photographs would cost without the thumbnails the files carry:
// every picture decoded to the cell's size, on as many threads as the store has.
void AllPicturesOfPhonePhotographsDecoded(benchmark::State& state)
{
    if (!PhonePhotographsMade(state)) return;
    const QStringList& photographs = Shared().phonePhotographs();
    const int threads = std::max(1, QThread::idealThreadCount());
    for (auto _ : state) {
        state.PauseTiming();
        ReadThrough(photographs);
        const double processorBefore = ProcessorSeconds(RUSAGE_SELF);
        state.ResumeTiming();
        std::atomic<int> next = 0;
        std::atomic<int> failed = 0;
        std::vector<std::thread> decoders;
        for (int t = 0; t < threads; ++t)
            decoders.emplace_back([&] {
                for (int i = next++; i < photographs.size(); i = next++)
                    if (imaging::Image::FromFile(photographs[i], {200, 150}).size().isEmpty()) ++failed;
            });
        for (std::thread& decoder : decoders) decoder.join();
        if (failed > 0) state.SkipWithError("a picture did not decode");
        state.counters["cpu_s"] = ProcessorSeconds(RUSAGE_SELF) - processorBefore;
    }
    state.counters["photographs"] = photographs.size();
}

void AllThumbnailsByVipsthumbnail(benchmark::State& state)
{
    Fixture& fixture = Shared();
    const QString program = QStandardPaths::findExecutable("vipsthumbnail");
    if (program.isEmpty()) {
        state.SkipWithError("vipsthumbnail is not installed");
        return;
    }
    const QString output = fixture.scratch + "/vips";
    QDir().mkpath(output);
    const int cores = std::max(1, QThread::idealThreadCount());
    for (auto _ : state) {
        state.PauseTiming();
        ReadThrough(fixture.photographs);
        state.ResumeTiming();
        const double processorBefore = ProcessorSeconds(RUSAGE_CHILDREN);
        std::vector<std::unique_ptr<QProcess>> processes;
        for (int core = 0; core < cores; ++core) {
            QStringList arguments;
            for (int i = core; i < fixture.photographs.size(); i += cores) arguments << fixture.photographs[i];
            arguments << "--size" << "200x150" << "-o" << output + "/%s.jpg";
            processes.push_back(std::make_unique<QProcess>());
            processes.back()->start(program, arguments);
        }
        for (auto& process : processes)
            if (!process->waitForFinished(-1) || process->exitCode() != 0) state.SkipWithError("vipsthumbnail failed");
        state.counters["cpu_s"] = ProcessorSeconds(RUSAGE_CHILDREN) - processorBefore;
    }
    state.counters["photographs"] = fixture.photographs.size();
}

void PeakMemory(benchmark::State& state)
{
    for (auto _ : state) {
    }
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = double(usage.ru_maxrss) / 1024.0;
}

}  // namespace

BENCHMARK(FirstScreenColdCache)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(FirstScreenWarmCache)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(OpenFolderListing)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(ScrollOnePageAndPaint)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(AllThumbnailsByTheStore)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(AllThumbnailsByVipsthumbnail)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(FirstScreenColdCacheOfPhonePhotographs)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(AllThumbnailsOfPhonePhotographsByTheStore)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(AllPicturesOfPhonePhotographsDecoded)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(PeakMemory)->Iterations(1);

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    bench_support::RatioReporter reporter({
        {"All thumbnails by the store / by vipsthumbnail (JPEG)", "AllThumbnailsByTheStore",
         "AllThumbnailsByVipsthumbnail"},
        {"First screen, cold cache: HEIC / JPEG", "FirstScreenColdCacheOfPhonePhotographs",
         "FirstScreenColdCache"},
        {"All HEIC thumbnails / all HEIC pictures decoded (aim: <= 0.33)",
         "AllThumbnailsOfPhonePhotographsByTheStore",
         "AllPicturesOfPhonePhotographsDecoded"},
        {"All thumbnails by the store: HEIC / JPEG", "AllThumbnailsOfPhonePhotographsByTheStore",
         "AllThumbnailsByTheStore"},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
