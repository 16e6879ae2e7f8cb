#include "tests/app/shell/window_test.h"

#include "app/export/document_snapshot.h"
#include "app/shell/preferences.h"
#include "tests/app/export/map_files.h"

#include <QApplication>
#include <QImage>
#include <QTimer>

namespace shell_test {

void WindowTest::SetUp()
{
    ComponentTest::SetUp();
    // A start after the first: the welcome would otherwise hold up every test that shows the window.
    shell::Preferences::SetShowWelcomeDialog(false);
    recreateFrame();
}

void WindowTest::TearDown()
{
    frame_.reset();
    ComponentTest::TearDown();
}

void WindowTest::recreateFrame()
{
    frame_.reset();
    frame_ = shell::MainFrame::Create();
    ASSERT_TRUE(frame_);
}

QString WindowTest::path(const QString& name) const
{
    return QString::fromStdString((folder_.path() / name.toStdString()).string());
}

QString WindowTest::picture()
{
    if (picture_.isEmpty()) {
        picture_ = path("map picture.png");
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(QColor(170, 205, 230));
        image.save(picture_);
    }
    return picture_;
}

QString WindowTest::saveMap(const QString& name, int photoSpots, const QStringList& linkedMaps)
{
    const QString file = path(name);
    const com::ComPtr<IDocument> map = export_test::MapFiles::NewMap(picture());
    int left = 10;
    for (int i = 0; i < photoSpots; ++i, left += 40)
        export_test::MapFiles::AddPhotoSpot(map.get(), {left, 10, left + 30, 40}, {picture()});
    for (const QString& linked : linkedMaps) {
        export_test::MapFiles::AddMapSpot(map.get(), {left, 60, left + 30, 90}, linked);
        left += 40;
    }
    export_test::MapFiles::Save(map.get(), file);
    return file;
}

QString WindowTest::saveMapWithoutPicture(const QString& name)
{
    const QString file = path(name);
    export_test::MapFiles::Save(export_test::MapFiles::NewMap({}).get(), file);
    return file;
}

int WindowTest::spotCount()
{
    com::LONG count = 0;
    workspace().document()->GetNumSpots(&count);
    return count;
}

int WindowTest::spotsSavedIn(const QString& file)
{
    const std::optional<html_export::MapSnapshot> saved = html_export::DocumentSnapshot::Load(file).map;
    return saved ? static_cast<int>(saved->spots.size()) : -1;
}

bool WindowTest::dirty()
{
    com::LONG dirty = 0;
    workspace().document()->IsDirty(&dirty);
    return dirty != 0;
}

void WindowTest::makeDirty()
{
    com::VARIANT_BOOL dirty = com::VARIANT_TRUE;
    workspace().document()->SetDirty(&dirty);
}

int WindowTest::currentSpotIndex()
{
    com::ComPtr<IBaseSpot> current;
    workspace().document()->GetCurrentSpot(current.put());
    if (!current) return -1;
    com::LONG index = -1;
    workspace().document()->GetSpotIndex(current.get(), &index);
    return index;
}

void WindowTest::whenModalWidget(std::function<bool(QWidget&)> answer)
{
    // Looks each time the event loop runs, which a modal dialog's own loop does from its start.
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && answer(*modal)) timer->deleteLater();
    });
    timer->start();
}

}  // namespace shell_test
