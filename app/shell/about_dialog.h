#pragma once

#include "app/shell/template_dialog.h"

namespace shell {

// The about box: the program's name, version and where help is found. OK (and Escape) closes it.
//
// Thread: the user-interface thread.
class AboutDialog final : public TemplateDialog {
    Q_OBJECT

public:
    static constexpr int kOk = 1;

    explicit AboutDialog(QWidget* owner);
};

}  // namespace shell
