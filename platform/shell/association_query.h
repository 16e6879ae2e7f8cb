#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QProcess;

namespace shell {

// Asks the desktop, as xdg-open itself decides, whether a program is associated with a file's type,
// without holding up the user-interface thread: "xdg-mime query default" runs for each name of the
// type in turn, followed through QProcess's signals. The query deletes itself once it has answered.
//
// Thread: the thread of the event loop that runs it.
class AssociationQuery final : public QObject {
public:
    // `answer` is called once, from the event loop: true when some program is associated with the
    // type of `file`, false when none is, nothing when the desktop cannot be asked (no xdg-mime, or
    // no reply within five seconds).
    static void Start(const QString& file, std::function<void(std::optional<bool> associated)> answer);

private:
    AssociationQuery(QStringList typeNames, std::function<void(std::optional<bool>)> answer);
    void askNext();
    void onFinished();
    void finish(std::optional<bool> associated);

    QStringList typeNames_;  // those not asked yet
    std::function<void(std::optional<bool>)> answer_;
    QProcess* process_ = nullptr;
    bool answered_ = false;
};

}  // namespace shell
