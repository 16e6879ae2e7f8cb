#include "app/shell/tip_dialog.h"

#include "app/shell/preferences.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <array>

namespace shell {

namespace {

const std::array<const char*, Preferences::kTipCount> kTips = {
    "Dragging a picture into a new Pinlore map will set that picture as the background map.",
    "You can move to the next square in your map by pressing the tab key.",
    "Dragging a Pinlore map into an empty Pinlore window will open the dragged map.",
    "Dragging a picture onto the background map of a Pinlore window will create a slideshow square.",
    "Dragging a Pinlore map into an open Pinlore window will create a link to the dragged map.",
    "Dragging a picture onto a slideshow square adds that picture to the slideshow.",
    "Dragging a sound onto a slideshow square adds that sound to the slideshow.",
    "Dragging a picture onto an open slideshow inserts that picture into the slideshow.",
    "Pressing the delete key while a square is selected deletes the selected square.",
    "Pressing the delete key while watching a slideshow deletes the current picture from the slideshow.",
    "Clicking on the small map in the top right corner zooms out to that map.",
    "Double clicking a picture in the list on the left briefly shows a preview of the picture.",
    "You can hide and show the file list by clicking on the small button in the top right of the workspace "
    "area.",
    "You can view the contents of a folder in the list on the left by double clicking on that folder.",
    "Almost everything in Pinlore is undoable.",
};

}  // namespace

TipDialog::TipDialog(QWidget* owner)
    : TemplateDialog(owner, QStringLiteral("Pinlore Tip of the Day"), ui::DialogFont(8), 302, 81)
{
    auto* ok = place(new QPushButton(QStringLiteral("OK")), kOk, 245, 58, 50, 16);
    ok->setDefault(true);
    showTips_ = place(new QCheckBox(QStringLiteral("&Show tips on startup.")), kShowTips, 7, 61, 82, 10);
    showTips_->setChecked(true);
    auto* previous = place(new QPushButton(QStringLiteral("&Previous Tip")), kPreviousTip, 125, 58, 50, 16);
    auto* next = place(new QPushButton(QStringLiteral("&Next Tip")), kNextTip, 184, 58, 50, 16);
    placeProgramPicture(252, 7, 43, 39);
    tip_ = place(new QLabel, kTipText, 43, 13, 175, 38);
    tip_->setWordWrap(true);
    tip_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    connect(ok, &QPushButton::clicked, this, [this] { done(kOk); });
    connect(next, &QPushButton::clicked, this, [this] { step(true); });
    connect(previous, &QPushButton::clicked, this, [this] { step(false); });
    step(true);
}

bool TipDialog::showTipsOnStartup() const
{
    return showTips_->isChecked();
}

QString TipDialog::Tip(int index)
{
    return QString::fromUtf8(kTips.at(static_cast<std::size_t>(index)));
}

void TipDialog::step(bool forward)
{
    tip_->setText(Tip(Preferences::StepCurrentTip(forward ? Preferences::TipStep::Forward
                                                          : Preferences::TipStep::Backward)));
}

void TipDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) return;
    TemplateDialog::keyPressEvent(event);
}

void TipDialog::showEvent(QShowEvent* event)
{
    centreOnOwnersScreen();
    TemplateDialog::showEvent(event);
}

void TipDialog::reject()
{
    done(kOk);
}

}  // namespace shell
