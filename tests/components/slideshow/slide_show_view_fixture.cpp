#include "tests/components/slideshow/slide_show_view_fixture.h"

#include "platform/media/sound_window.h"
#include "platform/ui/hosted_control.h"
#include "tests/support/document_model.h"

#include <QAbstractEventDispatcher>
#include <QFile>
#include <QMimeData>
#include <QTest>
#include <QUrl>

namespace test_support {

namespace {
constexpr QSize kViewSize(200, 200);
}

void SlideShowViewTest::SetUp()
{
    ListenedDocumentTest::SetUp();
    host = std::make_unique<QWidget>();
    host->resize(kViewSize);
    com::ComPtr<com::IUnknown> control;
    ASSERT_EQ(ui::HostControl(u"Components.SlideShowView.1", *host, control), com::S_OK);
    view = control.as<ISlideShowView>();
    window = control.as<ui::IHostedControl>()->ControlWindow();
    ASSERT_NE(window, nullptr);
    view->SetDocument(document.get());
    listener->onChange = [target = view.get()](com::IUnknown* object, com::LONG change) {
        target->DocumentChanged(object, change);
    };
    events = com::Make<SlideShowViewEvents>();
    ASSERT_EQ(eventConnection.connect(view.get(), events->identity()), com::S_OK);
    host->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
}

void SlideShowViewTest::TearDown()
{
    eventConnection.disconnect();
    if (listener) listener->onChange = nullptr;
    host.reset();
    view.reset();
    events.reset();
    ListenedDocumentTest::TearDown();
}

QString SlideShowViewTest::folderPath() const
{
    return QString::fromStdString(folder.path().string());
}

QString SlideShowViewTest::picture(const QString& name, QSize size, QColor colour, const char* format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = folderPath() + "/" + name;
    EXPECT_TRUE(image.save(path, format));
    return path;
}

QString SlideShowViewTest::file(const QString& name, const QByteArray& contents)
{
    const QString path = folderPath() + "/" + name;
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(contents);
    return path;
}

com::ComPtr<IPhotoSpot> SlideShowViewTest::currentSpotWith(const std::vector<QString>& pictures, const QString& sound)
{
    auto spot = MakePhotoSpot(document.get(), {10, 10, 50, 50});
    const auto base = BaseOf(spot.get());
    document->AddSpot(base.get());
    for (const QString& path : pictures) AddPhoto(spot, path.toStdU16String());
    if (!sound.isEmpty()) {
        com::Bstr name(sound.toStdU16String());
        com::BSTR value = name.get();
        spot->SetAudioFile(&value);
    }
    document->PutCurrentSpot(base.get());
    return spot;
}

void SlideShowViewTest::start(const QString& mapPicture)
{
    com::Bstr path = mapPicture.isEmpty() ? com::Bstr() : com::Bstr(mapPicture.toStdU16String());
    com::BSTR value = path.get();
    ASSERT_EQ(view->OnSlideShowStart(&value), com::S_OK);
}

QImage SlideShowViewTest::paint()
{
    return window->grab().toImage();
}

int SlideShowViewTest::runningTimer() const
{
    const auto timers = QAbstractEventDispatcher::instance()->registeredTimers(window);
    if (timers.isEmpty()) return 0;
    EXPECT_EQ(timers.size(), 1);
    EXPECT_EQ(timers.front().interval, 5000);
    return timers.front().timerId;
}

void SlideShowViewTest::tick()
{
    QTimerEvent event(runningTimer());
    QCoreApplication::sendEvent(window, &event);
}

media::SoundWindow* SlideShowViewTest::sound() const
{
    return window->findChild<media::SoundWindow*>();
}

void SlideShowViewTest::press(int key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(window, Qt::Key(key), modifiers);
}

void SlideShowViewTest::drop(const std::vector<QString>& paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths) urls.push_back(QUrl::fromLocalFile(path));
    data.setUrls(urls);
    const QPointF point(100, 100);
    QDragEnterEvent enter(point.toPoint(), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &enter);
    QDropEvent dropped(point, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &dropped);
}

}  // namespace test_support
