#pragma once

#include <QAbstractButton>
#include <QImage>

namespace slideshow {

// A push button that shows pictures only: the normal one, the hover one while the pointer rests on
// it, and the pressed one while it is held down with the pointer on it or while it is latched. A
// press that is dragged off the button and released there clicks nothing; the pressed look leaves
// with the pointer and comes back with it. The pictures are stretched to the button's size.
class BitmapButton final : public QAbstractButton {
    Q_OBJECT
public:
    // Null pictures are allowed: a missing normal picture draws the plain button face, a missing
    // pressed one the same when pressed, a missing hover one the normal picture.
    BitmapButton(QWidget& parent, int commandId, QImage normal, QImage pressed, QImage hover);

    int commandId() const { return commandId_; }
    bool latched() const { return latched_; }
    void setLatched(bool latched);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int commandId_;
    QImage normal_;
    QImage pressed_;
    QImage hover_;
    bool hovering_ = false;
    bool latched_ = false;
};

}  // namespace slideshow
