#include "components/browser/tool_palette_window.h"

#include "components/browser/pl_tool_palette.h"
#include "components/browser/tool_palette_button.h"
#include "platform/ui/dialog_units.h"

#include <QPushButton>

namespace browser {

namespace {

QPushButton* MakeButton(PLToolPalette& palette, QWidget& parent, const char* text, int command, bool visible)
{
    auto* button = new ToolPaletteButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::number(command));
    button->setFont(ui::DialogFont(8));
    button->setVisible(visible);
    QObject::connect(button, &QPushButton::clicked, &parent, [&palette, command] { palette.onCommand(command); });
    return button;
}

}  // namespace

ToolPaletteWindow::ToolPaletteWindow(PLToolPalette& palette, QWidget& host)
    : QWidget(&host),
      upButton_(MakeButton(palette, *this, "Go Up a Folder", PLToolPalette::kGoUpCommand, true)),
      browseButton_(MakeButton(palette, *this, "Browse for Folder", PLToolPalette::kBrowseCommand, true))
{
    MakeButton(palette, *this, "Add Photo", PLToolPalette::kAddPhotoCommand, false);
    MakeButton(palette, *this, "Edit", PLToolPalette::kEditCommand, false);
}

void ToolPaletteWindow::resizeEvent(QResizeEvent*)
{
    const int half = width() / 2;
    upButton_->setGeometry(0, 0, half, height());
    browseButton_->setGeometry(half, 0, width() - half, height());
}

}  // namespace browser
