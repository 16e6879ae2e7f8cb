#include "components/slideshow/slide_show_window.h"

#include "components/slideshow/pl_slide_show_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace slideshow {

namespace {

constexpr int kButtonSize = 20;

QPushButton* MakeButton(QWidget& parent, const char* text, int commandId)
{
    auto* button = new QPushButton(QString::fromLatin1(text), &parent);
    button->setObjectName(QString::number(commandId));
    button->setGeometry(0, 0, kButtonSize, kButtonSize);
    // Buttons take no focus: the keys belong to the show.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

SlideShowWindow::SlideShowWindow(PLSlideShowView& view, QWidget& host)
    : QWidget(&host),
      view_(view),
      dropTarget_(view, *this),
      maximizeButton_(MakeButton(*this, "<", kMaximizeCommand)),
      restoreButton_(MakeButton(*this, ">", kRestoreCommand))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    showButtonFor(false);
    connect(maximizeButton_, &QPushButton::clicked, this, [this] { view_.onMaximizeClicked(); });
    connect(restoreButton_, &QPushButton::clicked, this, [this] { view_.onRestoreClicked(); });
}

void SlideShowWindow::showButtonFor(bool maximized)
{
    maximizeButton_->setVisible(!maximized);
    restoreButton_->setVisible(maximized);
}

void SlideShowWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    view_.onPaint(painter);
}

void SlideShowWindow::resizeEvent(QResizeEvent*)
{
    view_.onSize();
}

void SlideShowWindow::timerEvent(QTimerEvent*)
{
    view_.onTimer();
}

void SlideShowWindow::keyPressEvent(QKeyEvent* event)
{
    if (const std::optional<ui::KeyPress> key = ui::KeyPressFrom(*event)) view_.onKeyDown(*key);
}

void SlideShowWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    const QPoint position = event->position().toPoint();
    view_.onLButtonDown({position.x(), position.y()});
}

}  // namespace slideshow
