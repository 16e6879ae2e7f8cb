#pragma once

#include "app/shell/spot_story.h"
#include "app/shell/template_dialog.h"

#include <QList>

class QLineEdit;
class QPlainTextEdit;

namespace shell {

// Edit > "Spot Story...": the title and text of the current spot and, for a photo spot, each of its
// pictures (a small thumbnail) with its caption. OK (or Enter in a one-line field) accepts, Cancel
// and Escape reject; the caller writes the story only on accept. Tab moves between the fields, also
// out of the text, so the keyboard alone reaches everything.
//
// Thread: the user-interface thread.
class SpotStoryDialog final : public TemplateDialog {
    Q_OBJECT

public:
    SpotStoryDialog(QWidget* owner, const SpotStory& story);

    // The story as the fields hold it now.
    SpotStory story() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void placeCaptions(int top, int height);

    SpotStory original_;
    QLineEdit* title_;
    QPlainTextEdit* text_;
    QList<QLineEdit*> captions_;
};

}  // namespace shell
