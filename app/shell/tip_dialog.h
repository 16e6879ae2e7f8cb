#pragma once

#include "app/shell/template_dialog.h"

class QCheckBox;
class QLabel;

namespace shell {

// The tip of the day. Opening it shows the tip after the one shown last; Next and Previous step
// through the tips, each step stored at once, so the next start goes on from the last one read.
// OK and the close box end it with 1; Escape does not close it. Its answer is whether tips are to
// be shown on startup, the state of its check box.
//
// Thread: the user-interface thread.
class TipDialog final : public TemplateDialog {
    Q_OBJECT

public:
    static constexpr int kOk = 1;
    static constexpr int kShowTips = 1004;
    static constexpr int kTipText = 1005;
    static constexpr int kNextTip = 1006;
    static constexpr int kPreviousTip = 1007;

    explicit TipDialog(QWidget* owner);

    bool showTipsOnStartup() const;
    // The tip of index 0 to Preferences::kTipCount - 1.
    static QString Tip(int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The close box, which ends the dialog as OK does.
    void reject() override;

private:
    void step(bool forward);

    QCheckBox* showTips_;
    QLabel* tip_;
};

}  // namespace shell
