#include "app/shell/about_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace shell {

AboutDialog::AboutDialog(QWidget* owner)
    : TemplateDialog(owner, QStringLiteral("About Pinlore"), ui::DialogFont(8), 197, 154)
{
    place(new QGroupBox, QStringLiteral("frame"), 7, 7, 183, 113);
    // An icon control keeps the icon's own size, whatever the dialog's font.
    auto* icon = new QLabel;
    place(icon, QStringLiteral("icon"), 83, 15, 0, 0);
    icon->resize(32, 32);
    icon->setPixmap(QPixmap(QStringLiteral(":/pinlore/pinlore.png"))
                        .scaled(icon->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    auto* text = place(new QLabel(QStringLiteral("Pinlore 1.0\n\nTravel memories told on maps.")),
                       QStringLiteral("text"), 27, 42, 133, 34);
    text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto* support = place(new QLabel(QStringLiteral("Help and a short tutorial are in the Help menu; F1 opens "
                                                    "the help.")),
                          QStringLiteral("support"), 16, 80, 155, 18);
    support->setWordWrap(true);
    support->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto* ok = place(new QPushButton(QStringLiteral("OK")), kOk, 140, 134, 50, 14);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { done(kOk); });
}

}  // namespace shell
