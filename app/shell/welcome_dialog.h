#pragma once

#include "app/shell/template_dialog.h"

class QCheckBox;

namespace shell {

// The welcome of a first start: offers the tutorial. "Yes" ends it with kYes; "No", Escape and the
// close box with kNo. Its answer is whether it is to be shown on the next start, the state of its
// check box.
//
// Thread: the user-interface thread.
class WelcomeDialog final : public TemplateDialog {
    Q_OBJECT

public:
    static constexpr int kYes = 1;
    static constexpr int kNo = 2;
    static constexpr int kShowOnStartup = 1004;

    explicit WelcomeDialog(QWidget* owner);

    bool showOnStartup() const;

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    QCheckBox* showOnStartup_;
};

}  // namespace shell
