// The map view's painting on a large map: a repaint after one spot moved, a full repaint, and
// opening a 12-megapixel photograph as the map picture, beside a bare QPainter::drawImage of the
// same picture into the same window; then zooming that map (the frame a step shows at once, and
// the step until its sharp pixels are on screen) and scrolling it zoomed to 100 %.
//
// PINLORE_BENCH_MAP_PICTURE names the JPEG to open (bench/map_view.sh passes a camera-like one);
// without it a 4000 x 3000 JPEG is made for the run.
#include "components/interfaces/class_ids.h"
#include "components/interfaces/document.h"
#include "components/interfaces/map_view.h"
#include "components/interfaces/photo_spot.h"
#include "platform/com/event_source.h"
#include "platform/ui/hosted_control.h"
#include "platform/ui/qt_strings.h"
#include "tests/support/private_component_registry.h"

#include <QApplication>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>
#include <QThreadPool>
#include <QWheelEvent>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

constexpr int kSpots = 10'000;
const QSize kWindow(1280, 800);
const QSize kPicture(4000, 3000);

// Forwards the document's notifications to the view, as the application does.
class Forwarder final : public com::Implements<Forwarder, _IDocumentEvents> {
public:
    explicit Forwarder(IMapView* view) : view_(view) {}
    com::HRESULT DocumentChanged(com::IUnknown* object, com::LONG flags) noexcept override
    {
        return view_->DocumentChanged(object, flags);
    }

private:
    IMapView* view_;
};

QString MakePicture(const std::filesystem::path& folder)
{
    if (const char* given = std::getenv("PINLORE_BENCH_MAP_PICTURE")) return QString::fromLocal8Bit(given);
    QImage image(kPicture, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgb((x / 16) % 256, (y / 12) % 256, int(random.bounded(64)) + 96);
    }
    const QString path = QString::fromStdString((folder / "map.jpg").string());
    image.save(path, "JPEG", 90);
    return path;
}

struct Fixture {
    Fixture()
    {
        test_support::UsePrivateComponentRegistry(PINLORE_COMPONENTS_LIBRARY);
        folder = std::filesystem::temp_directory_path() / ("pinlore-mapview-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        picturePath = MakePicture(folder);

        host = std::make_unique<QWidget>();
        host->resize(kWindow);
        com::ComPtr<com::IUnknown> control;
        com::ThrowIfFailed(ui::HostControl(u"Components.MapView.1", *host, control));
        view = control.as<IMapView>();
        window = control.as<ui::IHostedControl>()->ControlWindow();
        document = com::CreateInstance<IDocument>(CLSID_PLDocument);
        forwarder = com::Make<Forwarder>(view.get());
        connection.connect(document.get(), forwarder->identity());
        view->SetDocument(document.get());
        host->show();
        openMap();
        for (int i = 0; i < kSpots; ++i) {
            auto spot = com::CreateInstance<IPhotoSpot>(CLSID_PLPhotoSpot);
            const int x = (i % 100) * 39, y = (i / 100) * 29;
            tagRECT bounds{x, y, x + 60, y + 60};
            spot->InitSpot(&bounds, document.as<com::IUnknown>().get());
            document->AddSpot(spot.as<IBaseSpot>().get());
            if (i == kSpots / 2) moving = spot.as<IBaseSpot>();
        }
        paint();
    }
    ~Fixture()
    {
        connection.disconnect();
        std::filesystem::remove_all(folder);
    }
    // A paint of the view's window, as on screen but into an image, so the run needs no display.
    void paint() { window->render(&canvas, QPoint(), QRegion(), QWidget::RenderFlags()); }
    void openMap()
    {
        document->SetMapFile(nullptr);
        document->SetMapFile(ui::ToBstr(picturePath).get());
    }
    // The wheel turned by `notches` over the middle of the window, as the user turns it.
    void wheel(int notches, Qt::KeyboardModifiers keys)
    {
        const QPointF middle(kWindow.width() / 2.0, kWindow.height() / 2.0);
        QWheelEvent event(middle, window->mapToGlobal(middle), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, keys,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(window, &event);
    }
    // Lets the pixels being made for the zoom arrive.
    void waitForSharpPixels()
    {
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
    }

    std::filesystem::path folder;
    QString picturePath;
    std::unique_ptr<QWidget> host;
    QWidget* window = nullptr;
    com::ComPtr<IMapView> view;
    com::ComPtr<IDocument> document;
    com::ComPtr<Forwarder> forwarder;
    com::EventConnection<_IDocumentEvents> connection;
    com::ComPtr<IBaseSpot> moving;
    QImage canvas{kWindow, QImage::Format_RGB32};
};

// Made by the first benchmark that runs and destroyed before the application, which its widgets need.
std::unique_ptr<Fixture> fixture;

Fixture& Shared()
{
    if (!fixture) fixture = std::make_unique<Fixture>();
    return *fixture;
}

// One spot moves 30 model units to and fro; the paint repaints its old and new rectangles.
void BM_PaintAfterOneSpotMoved(benchmark::State& state)
{
    Fixture& f = Shared();
    tagRECT bounds{};
    f.moving->GetBounds(&bounds);
    int step = 0;
    for (auto _ : state) {
        const int dx = (step++ % 2) ? -30 : 30;
        state.PauseTiming();
        tagRECT moved{bounds.left + dx, bounds.top, bounds.right + dx, bounds.bottom};
        f.moving->SetBounds(&moved);
        bounds = moved;
        state.ResumeTiming();
        f.paint();
    }
}
BENCHMARK(BM_PaintAfterOneSpotMoved)->Unit(benchmark::kMillisecond);

// Nothing pending: the whole window, with every spot.
void BM_FullRepaint(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state) f.paint();
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

// The same picture, decoded once, drawn scaled into the same window with QPainter alone.
void BM_BareDrawImage(benchmark::State& state)
{
    Fixture& f = Shared();
    const QImage picture(f.picturePath);
    QImage target(kWindow, QImage::Format_RGB32);
    const QRect fitted(0, 0, 1066, 800);
    for (auto _ : state) {
        QPainter painter(&target);
        painter.drawImage(fitted, picture);
    }
}
BENCHMARK(BM_BareDrawImage)->Unit(benchmark::kMillisecond);

// Decoding, fitting and the first paint of a new map picture.
void BM_OpenMapPicture(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state) {
        f.openMap();
        f.paint();
    }
}
BENCHMARK(BM_OpenMapPicture)->Unit(benchmark::kMillisecond);

// The zoom steps from the fit to 100 % and back, where each step shows the map at a new scale of
// its pixels. The four steps in: a third, a half, two thirds, one.
constexpr int kStepsToFullSize = 4;

void ZoomSteps(benchmark::State& state, bool untilSharp)
{
    Fixture& f = Shared();
    f.view->ZoomToFit();
    f.paint();
    int step = 0;
    for (auto _ : state) {
        const bool in = step++ % (2 * kStepsToFullSize) < kStepsToFullSize;
        f.wheel(in ? 1 : -1, Qt::ControlModifier);
        if (untilSharp) f.waitForSharpPixels();
        f.paint();
    }
    f.view->ZoomToFit();
    f.waitForSharpPixels();
}

// The frame a step shows at once, from the pixels at hand.
void BM_ZoomStep(benchmark::State& state)
{
    ZoomSteps(state, false);
}
BENCHMARK(BM_ZoomStep)->Unit(benchmark::kMillisecond);

// The step until the pixels of its scale are made and painted.
void BM_ZoomStepUntilSharp(benchmark::State& state)
{
    ZoomSteps(state, true);
}
BENCHMARK(BM_ZoomStepUntilSharp)->Unit(benchmark::kMillisecond);

// At 100 %, a notch of the wheel down and up again: each frame shows another part of the map.
void BM_ScrolledFrame(benchmark::State& state)
{
    Fixture& f = Shared();
    f.view->ZoomToFit();
    f.wheel(kStepsToFullSize, Qt::ControlModifier);
    f.waitForSharpPixels();
    f.paint();
    int step = 0;
    for (auto _ : state) {
        f.wheel(step++ % 2 ? 1 : -1, Qt::NoModifier);
        f.paint();
    }
    f.view->ZoomToFit();
}
BENCHMARK(BM_ScrolledFrame)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fixture.reset();
    return 0;
}
