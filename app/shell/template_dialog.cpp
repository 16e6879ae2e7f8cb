#include "app/shell/template_dialog.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

namespace shell {

TemplateDialog::TemplateDialog(QWidget* owner, const QString& title, const QFont& font, int cx, int cy)
    : QDialog(owner), units_(font)
{
    setWindowTitle(title);
    setFont(font);
    setModal(true);
    setFixedSize(units_.toPixels(QSize(cx, cy)));
}

QWidget* TemplateDialog::control(int id) const
{
    return control(QString::number(id));
}

QWidget* TemplateDialog::control(const QString& name) const
{
    return findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
}

void TemplateDialog::placeWidget(QWidget* widget, const QString& name, const QRect& pixels)
{
    widget->setParent(this);
    widget->setObjectName(name);
    widget->setGeometry(pixels);
}

void TemplateDialog::placeProgramPicture(int x, int y, int cx, int cy)
{
    auto* picture = place(new QLabel, QStringLiteral("picture"), x, y, cx, cy);
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(QPixmap(QStringLiteral(":/pinlore/pinlore.png"))
                           .scaled(picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TemplateDialog::centreOnOwnersScreen()
{
    const QWidget* owner = parentWidget();
    QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    // The frame is centred: a top-level widget moves by its frame's corner.
    QRect placed = frameGeometry();
    placed.moveCenter(screen->availableGeometry().center());
    move(placed.topLeft());
}

}  // namespace shell
