#include "app/shell/startup_dialogs.h"

#include "app/shell/preferences.h"
#include "app/shell/tip_dialog.h"
#include "app/shell/welcome_dialog.h"

namespace shell {

void RunStartupDialogs(QWidget& owner, const std::function<void()>& startTutorial)
{
    if (Preferences::ShowTipsOnStartup()) {
        TipDialog tip(&owner);
        tip.exec();
        Preferences::SetShowTipsOnStartup(tip.showTipsOnStartup());
    }
    if (Preferences::ShowWelcomeDialog()) {
        WelcomeDialog welcome(&owner);
        if (welcome.exec() == WelcomeDialog::kYes) startTutorial();
        Preferences::SetShowWelcomeDialog(welcome.showOnStartup());
        if (!welcome.showOnStartup()) Preferences::SetShowTipsOnStartup(true);
    }
}

}  // namespace shell
