#pragma once

#include <QPushButton>

namespace browser {

// A button of the tool palette. In a file browser column made narrower than its name, it shows the
// name shortened with an ellipsis, and the whole name as its tool tip; its text stays the whole name.
class ToolPaletteButton final : public QPushButton {
    Q_OBJECT
public:
    ToolPaletteButton(const QString& text, QWidget& parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace browser
