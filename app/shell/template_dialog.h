#pragma once

#include "platform/ui/dialog_units.h"

#include <QDialog>

namespace shell {

// A dialog built as its template describes it: a fixed client size and controls placed in dialog
// units of the template's font. Each control is named after its id ("1004"), or after what it shows
// when it has none, so that it can be found as the user finds it.
//
// Thread: the user-interface thread.
class TemplateDialog : public QDialog {
    Q_OBJECT

public:
    QWidget* control(int id) const;
    QWidget* control(const QString& name) const;
    const ui::DialogUnits& units() const { return units_; }

protected:
    // `cx` × `cy` dialog units of client area, in `font`.
    TemplateDialog(QWidget* owner, const QString& title, const QFont& font, int cx, int cy);

    // Places `widget` (made a child of the dialog) at `x`,`y` with `cx` × `cy` dialog units.
    template <class W>
    W* place(W* widget, const QString& name, int x, int y, int cx, int cy)
    {
        placeWidget(widget, name, units_.toPixels(x, y, cx, cy));
        return widget;
    }
    template <class W>
    W* place(W* widget, int id, int x, int y, int cx, int cy)
    {
        return place(widget, QString::number(id), x, y, cx, cy);
    }
    // The program's picture, scaled to fit the `cx` × `cy` units at `x`,`y`.
    void placeProgramPicture(int x, int y, int cx, int cy);
    // Moves the dialog to the middle of the available area of the screen that holds its owner.
    void centreOnOwnersScreen();

private:
    void placeWidget(QWidget* widget, const QString& name, const QRect& pixels);

    ui::DialogUnits units_;
};

}  // namespace shell
