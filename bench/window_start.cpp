// Times the window for bench/window_start.sh, one measurement per process:
//   window_start label PICTURE   a bare Qt program: one QLabel showing PICTURE; ends at its first paint
//   window_start pinlore MAP     the program's start: frame, workspace, map view, MAP opened, ends at
//                                the first paint (the script times the whole process of each)
//   window_start open MAP        the program's window, then File > Open answered with MAP; prints the
//                                milliseconds from the command to the map view's first paint of MAP,
//                                wall time and then the process's processor time
//   window_start make-map OUT N PICTURE   saves a map of N photo spots over PICTURE as OUT
#include "app/shell/command_ids.h"
#include "app/shell/component_registration.h"
#include "app/shell/main_frame.h"
#include "app/shell/preferences.h"
#include "app/shell/workspace_view.h"
#include "components/interfaces/class_ids.h"
#include "components/interfaces/photo_spot.h"
#include "components/interfaces/xml_property_bag.h"
#include "platform/com/runtime.h"
#include "platform/shell/desktop_shell_services.h"
#include "platform/ui/hosted_control.h"
#include "platform/ui/qt_strings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {

double processorMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Runs `then` once `widget` has finished its next paint.
class AfterPaint final : public QObject {
public:
    AfterPaint(QWidget& widget, std::function<void()> then) : then_(std::move(then)) { widget.installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && then_) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(this, std::exchange(then_, nullptr), Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> then_;
};

// The desktop's services, except that the open-file dialog answers at once.
class AnsweringServices final : public shell::ShellServices {
public:
    explicit AnsweringServices(QString answer) : answer_(std::move(answer)) {}
    std::optional<QString> openFileName(QWidget*, std::span<const shell::FileFilter>, int) override
    {
        return answer_;
    }
    void playRefusedSound() override { desktop_.playRefusedSound(); }
    shell::MessageAnswer messageBox(QWidget* owner, const QString& text, const QString& title,
                                    shell::MessageButtons buttons, shell::MessageIcon icon) override
    {
        return desktop_.messageBox(owner, text, title, buttons, icon);
    }
    std::optional<QString> saveFileName(QWidget* owner, std::span<const shell::FileFilter> filters,
                                        const QString& initialName, const QString& defaultSuffix) override
    {
        return desktop_.saveFileName(owner, filters, initialName, defaultSuffix);
    }
    std::optional<QString> folderName(QWidget* owner, const QString& prompt) override
    {
        return desktop_.folderName(owner, prompt);
    }
    std::optional<int> chooseOne(QWidget* owner, const QString& title, const QString& prompt,
                                 const QStringList& choices, int initial) override
    {
        return desktop_.chooseOne(owner, title, prompt, choices, initial);
    }
    void showFolder(const QString& folder) override { desktop_.showFolder(folder); }
    void openDocument(const QString& file, std::function<void(bool opened)> done) override
    {
        desktop_.openDocument(file, std::move(done));
    }

private:
    QString answer_;
    shell::DesktopShellServices desktop_;
};

int label(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QLabel picture;
    picture.setPixmap(QPixmap(QString::fromLocal8Bit(argv[2])));
    AfterPaint done(picture, [] { QApplication::quit(); });
    picture.show();
    return application.exec();
}

int makeMap(const QString& out, int spots, const QString& picture)
{
    com::ApartmentScope apartment;
    if (com::FAILED(shell::EnsureComponentsRegistered(PINLORE_COMPONENTS_LIBRARY))) return 1;
    auto map = com::CreateInstance<IDocument>(CLSID_PLDocument);
    map->SetMapFile(ui::ToBstr(picture).get());
    com::Bstr photo = ui::ToBstr(picture);
    for (int i = 0; i < spots; ++i) {
        auto spot = com::CreateInstance<IPhotoSpot>(CLSID_PLPhotoSpot);
        tagRECT bounds{(i * 7) % 1400, (i * 13) % 900, 0, 0};
        bounds.right = bounds.left + 30;
        bounds.bottom = bounds.top + 30;
        spot->InitSpot(&bounds, map.get());
        com::BSTR value = photo.get();
        spot->AddPhoto(&value);
        map->AddSpot(spot.as<IBaseSpot>().get());
    }
    auto bag = com::CreateInstance<IXMLPropertyBag>(CLSID_CXMLPropertyBag);
    return com::SUCCEEDED(bag->SaveToFile(ui::ToBstr(out).get(), map.get())) ? 0 : 1;
}

int window(int argc, char* argv[], bool timeTheOpen)
{
    const QString map = QString::fromLocal8Bit(argv[2]);
    QApplication application(argc, argv);
    com::ApartmentScope apartment;
    if (com::FAILED(shell::EnsureComponentsRegistered(PINLORE_COMPONENTS_LIBRARY))) return 1;
    // A start as the user's every start after the first: no welcome or tip holds the first paint up.
    shell::Preferences::SetShowWelcomeDialog(false);
    shell::Preferences::SetShowTipsOnStartup(false);
    const std::unique_ptr<shell::MainFrame> frame = shell::MainFrame::Create();
    if (!frame) return 1;
    AnsweringServices services(map);
    shell::InstallServices(&services);
    frame->show();
    if (!timeTheOpen) frame->workspace().OpenDocumentFile(map, true);

    QElapsedTimer clock;
    double processorStart = 0;
    std::unique_ptr<AfterPaint> mapPainted;
    QObject::connect(&frame->workspace(), &shell::WorkspaceView::firstPainted, [&] {
        if (!timeTheOpen) {
            QApplication::quit();
            return;
        }
        QWidget* view = frame->workspace().mapViewHost()->findChild<QWidget*>();
        mapPainted = std::make_unique<AfterPaint>(*view, [&] {
            std::printf("%.1f %.1f\n", clock.nsecsElapsed() / 1e6, processorMilliseconds() - processorStart);
            QApplication::quit();
        });
        clock.start();
        processorStart = processorMilliseconds();
        frame->runCommand(shell::command::kOpen);
    });
    const int status = application.exec();
    shell::InstallServices(nullptr);
    return status;
}

}  // namespace

int main(int argc, char* argv[])
{
    const std::string mode = argc > 2 ? argv[1] : "";
    if (mode == "label") return label(argc, argv);
    if (mode == "pinlore") return window(argc, argv, false);
    if (mode == "open") return window(argc, argv, true);
    if (mode == "make-map" && argc == 5)
        return makeMap(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]), QString::fromLocal8Bit(argv[4]));
    std::fputs("usage: window_start label PICTURE | pinlore MAP | open MAP | make-map OUT N PICTURE\n", stderr);
    return 2;
}
