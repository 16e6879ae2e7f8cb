#pragma once

#include <QWidget>

class PLToolPalette;
class QPushButton;

namespace browser {

// The palette's window: "Go Up a Folder" on the left half and "Browse for Folder" on the right,
// each the full height, and the two hidden tool buttons whose commands stay reachable.
class ToolPaletteWindow final : public QWidget {
    Q_OBJECT
public:
    ToolPaletteWindow(PLToolPalette& palette, QWidget& host);

    QPushButton& upButton() { return *upButton_; }
    QPushButton& browseButton() { return *browseButton_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPushButton* upButton_;
    QPushButton* browseButton_;
};

}  // namespace browser
