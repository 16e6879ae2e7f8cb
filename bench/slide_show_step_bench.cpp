// Stepping a slide show to the next 12-megapixel photograph in a 1280 × 800 view (load, fit, render
// into the back buffer and onto the window), beside vipsthumbnail making the same photograph into a
// picture of the same size in the same run. vipsthumbnail's time includes starting its process and
// writing its result in the library's own uncompressed format.
#include "bench/support/synthetic_photograph.h"
#include "components/interfaces/class_ids.h"
#include "components/interfaces/document.h"
#include "components/interfaces/photo_spot.h"
#include "components/interfaces/slide_show_view.h"
#include "platform/com/implements.h"
#include "platform/com/event_source.h"
#include "platform/ui/hosted_control.h"
#include "tests/support/private_component_registry.h"

#include <QApplication>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr QSize kView(1280, 800);

// Hands every notification of the document to the view, as the application does.
class Forwarder final : public com::Implements<Forwarder, _IDocumentEvents> {
public:
    explicit Forwarder(ISlideShowView& view) : view_(view) {}
    com::HRESULT DocumentChanged(com::IUnknown* pUnknown, com::LONG changeFlags) noexcept override
    {
        return view_.DocumentChanged(pUnknown, changeFlags);
    }

private:
    ISlideShowView& view_;
};

// One show of two photographs for the whole run.
struct Fixture {
    Fixture()
    {
        test_support::UsePrivateComponentRegistry(PINLORE_COMPONENTS_LIBRARY);
        folder = std::filesystem::temp_directory_path() / ("pinlore-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        document = com::CreateInstance<IDocument>(CLSID_PLDocument);
        auto spot = com::CreateInstance<IPhotoSpot>(CLSID_PLPhotoSpot);
        tagRECT bounds{10, 10, 50, 50};
        spot->InitSpot(&bounds, document.as<com::IUnknown>().get());
        document->AddSpot(spot.as<IBaseSpot>().get());
        for (unsigned i = 0; i < 2; ++i) {
            const QString path = QString::fromStdString((folder / ("photograph" + std::to_string(i) + ".jpg")).string());
            bench_support::MakePhotograph(i).save(path, "JPG", 90);
            photographs.push_back(path);
            com::Bstr name(path.toStdU16String());
            com::BSTR argument = name.get();
            spot->AddPhoto(&argument);
        }
        document->PutCurrentSpot(spot.as<IBaseSpot>().get());

        host = std::make_unique<QWidget>();
        host->resize(kView);
        com::ComPtr<com::IUnknown> control;
        com::ThrowIfFailed(ui::HostControl(u"Components.SlideShowView.1", *host, control));
        view = control.as<ISlideShowView>();
        window = control.as<ui::IHostedControl>()->ControlWindow();
        view->SetDocument(document.get());
        forwarder = com::Make<Forwarder>(*view);
        com::ThrowIfFailed(connection.connect(document.get(), forwarder->identity()));
        host->show();
        com::BSTR noMap = nullptr;
        view->OnSlideShowStart(&noMap);
        window->repaint();
    }
    ~Fixture()
    {
        connection.disconnect();
        host.reset();
        std::filesystem::remove_all(folder);
    }

    std::filesystem::path folder;
    std::vector<QString> photographs;
    com::ComPtr<IDocument> document;
    std::unique_ptr<QWidget> host;
    QWidget* window = nullptr;
    com::ComPtr<ISlideShowView> view;
    com::ComPtr<Forwarder> forwarder;
    com::EventConnection<_IDocumentEvents> connection;
};

Fixture& Shared()
{
    static Fixture fixture;
    return fixture;
}

void SlideShowStepToNextPhotograph(benchmark::State& state)
{
    Fixture& fixture = Shared();
    for (auto _ : state) {
        fixture.view->NextSlide();
        fixture.window->repaint();
    }
}

void VipsthumbnailSameSize(benchmark::State& state)
{
    Fixture& fixture = Shared();
    const QString program = QStandardPaths::findExecutable("vipsthumbnail");
    if (program.isEmpty()) {
        state.SkipWithError("vipsthumbnail is not installed");
        return;
    }
    const QString output = QString::fromStdString((fixture.folder / "thumbnail.v").string());
    const QString size = QString("%1x%2").arg(kView.width()).arg(kView.height());
    std::size_t next = 0;
    for (auto _ : state) {
        const QString& photograph = fixture.photographs[next++ % fixture.photographs.size()];
        if (QProcess::execute(program, {photograph, "--size", size, "-o", output}) != 0)
            state.SkipWithError("vipsthumbnail failed");
    }
}

}  // namespace

BENCHMARK(SlideShowStepToNextPhotograph)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(VipsthumbnailSameSize)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

int main(int argc, char** argv)
{
    // A benchmark of drawing needs no screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
