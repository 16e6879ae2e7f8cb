#pragma once

#include <QDialog>
#include <QString>
#include <QTimer>

namespace shell {

// Says that the settings file is in use by another program and waits, trying it a few times a
// second, until it is free (accepted) or the user cancels (rejected). A file that turns out to be
// unusable ends the wait as well (accepted: the caller looks at the file again).
//
// Thread: the user-interface thread.
class SettingsWaitDialog final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTryEveryMs = 100;

    explicit SettingsWaitDialog(const QString& file);

private:
    void tryFile();

    QTimer tries_;
};

}  // namespace shell
