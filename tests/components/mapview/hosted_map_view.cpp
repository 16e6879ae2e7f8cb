#include "tests/components/mapview/hosted_map_view.h"

#include "components/interfaces/class_ids.h"
#include "platform/com/runtime.h"
#include "platform/ui/hosted_control.h"
#include "platform/ui/qt_strings.h"
#include "tests/support/document_model.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QTest>
#include <QUrl>

namespace test_support {

void HostedMapView::SetUp()
{
    ComponentTest::SetUp();
    document = MakeDocument();
    listener = com::Make<DocumentListener>();
    listener->onChange = [this](com::IUnknown* object, com::LONG flag) {
        if (view) view->DocumentChanged(object, flag);
    };
    ASSERT_EQ(connection_.connect(document.get(), listener->identity()), com::S_OK);
    host_ = std::make_unique<QWidget>();
    com::ComPtr<com::IUnknown> control;
    ASSERT_EQ(ui::HostControl(u"Components.MapView.1", *host_, control), com::S_OK);
    view = control.as<IMapView>();
    view->SetDocument(document.get());
    events = com::Make<MapViewEvents>();
    ASSERT_EQ(eventsConnection_.connect(view.get(), events->identity()), com::S_OK);
    setTool(CLSID_PLEditTool);
}

void HostedMapView::TearDown()
{
    connection_.disconnect();
    eventsConnection_.disconnect();
    events.reset();
    view.reset();
    host_.reset();
    listener.reset();
    document.reset();
    ComponentTest::TearDown();
}

void HostedMapView::show(QSize size)
{
    host_->resize(size);
    host_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host_.get()));
    ASSERT_EQ(window().size(), size);
}

QString HostedMapView::writePicture(QSize size, QColor colour, const QString& name)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString file = name.isEmpty() ? QString("picture%1.png").arg(++pictures_) : name;
    const QString path = QString::fromStdString((folder.path() / file.toStdString()).string());
    EXPECT_TRUE(image.save(path));
    return path;
}

void HostedMapView::openMap(const QString& path)
{
    document->SetMapFile(ui::ToBstr(path).get());
}

void HostedMapView::setTool(const com::CLSID& toolClass)
{
    view->SetCurrentTool(com::CreateInstance<IBaseTool>(toolClass).get());
}

QImage HostedMapView::paint()
{
    QImage image(window().size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    window().render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

Qt::DropAction HostedMapView::drop(const QStringList& files, QPoint at, Qt::KeyboardModifiers keys,
                                   Qt::DropActions allowed)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& file : files) urls.append(QUrl::fromLocalFile(file));
    data.setUrls(urls);
    QDragEnterEvent enter(at, allowed, &data, Qt::LeftButton, keys);
    QApplication::sendEvent(&window(), &enter);
    enteredAction = enter.isAccepted() ? enter.dropAction() : Qt::IgnoreAction;
    QDropEvent dropped(QPointF(at), allowed, &data, Qt::LeftButton, keys);
    QApplication::sendEvent(&window(), &dropped);
    // What the source's drag ends with: a drop that was not accepted did not happen.
    return dropped.isAccepted() ? dropped.dropAction() : Qt::IgnoreAction;
}

QWidget& HostedMapView::window()
{
    return *com::ComPtr<IMapView>(view).as<ui::IHostedControl>()->ControlWindow();
}

}  // namespace test_support
