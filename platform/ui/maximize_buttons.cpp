#include "platform/ui/maximize_buttons.h"

#include <QPushButton>

namespace ui {

namespace {

constexpr int kButtonSize = 20;

QPushButton* MakeButton(QWidget& window, const char* text, int commandId, std::function<void()> onClick)
{
    auto* button = new QPushButton(QString::fromLatin1(text), &window);
    button->setObjectName(QString::number(commandId));
    button->setGeometry(0, 0, kButtonSize, kButtonSize);
    button->setFocusPolicy(Qt::NoFocus);
    QObject::connect(button, &QPushButton::clicked, &window, std::move(onClick));
    return button;
}

}  // namespace

MaximizeButtons::MaximizeButtons(QWidget& window, std::function<void()> onMaximize, std::function<void()> onRestore)
    : maximize_(MakeButton(window, "<", kMaximizeCommand, std::move(onMaximize))),
      restore_(MakeButton(window, ">", kRestoreCommand, std::move(onRestore)))
{
    showFor(false);
}

void MaximizeButtons::showFor(bool maximized)
{
    maximize_->setVisible(!maximized);
    restore_->setVisible(maximized);
}

}  // namespace ui
