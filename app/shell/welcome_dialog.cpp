#include "app/shell/welcome_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace shell {

WelcomeDialog::WelcomeDialog(QWidget* owner)
    : TemplateDialog(owner, QStringLiteral("Welcome"), ui::DialogFont(8), 233, 78)
{
    auto* yes = place(new QPushButton(QStringLiteral("Yes")), kYes, 124, 55, 47, 16);
    yes->setDefault(true);
    auto* no = place(new QPushButton(QStringLiteral("No")), kNo, 179, 55, 47, 16);
    showOnStartup_ =
        place(new QCheckBox(QStringLiteral("Show this dialog on startup.")), kShowOnStartup, 8, 58, 103, 10);
    showOnStartup_->setChecked(true);
    auto* text = place(new QLabel(QStringLiteral("Welcome to Pinlore.\nWould you like to take a brief tutorial?")),
                       QStringLiteral("text"), 22, 19, 142, 21);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeProgramPicture(183, 7, 43, 39);

    connect(yes, &QPushButton::clicked, this, [this] { done(kYes); });
    connect(no, &QPushButton::clicked, this, [this] { done(kNo); });
}

bool WelcomeDialog::showOnStartup() const
{
    return showOnStartup_->isChecked();
}

void WelcomeDialog::showEvent(QShowEvent* event)
{
    centreOnOwnersScreen();
    TemplateDialog::showEvent(event);
}

void WelcomeDialog::reject()
{
    done(kNo);
}

}  // namespace shell
