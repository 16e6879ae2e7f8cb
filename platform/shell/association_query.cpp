#include "platform/shell/association_query.h"

#include <QMimeDatabase>
#include <QProcess>
#include <QTimer>

namespace shell {

namespace {
constexpr int kReplyMilliseconds = 5000;
}

void AssociationQuery::Start(const QString& file, std::function<void(std::optional<bool> associated)> answer)
{
    const QMimeType type = QMimeDatabase().mimeTypeForFile(file);
    // Associations may name the type by any of its names ("application/x-chm" for a help file).
    auto* query = new AssociationQuery(QStringList{type.name()} + type.aliases(), std::move(answer));
    // Begun from the event loop, so that even a failure to start answers after Start has returned.
    QTimer::singleShot(0, query, &AssociationQuery::askNext);
}

AssociationQuery::AssociationQuery(QStringList typeNames, std::function<void(std::optional<bool>)> answer)
    : typeNames_(std::move(typeNames)), answer_(std::move(answer))
{
    QTimer::singleShot(kReplyMilliseconds, this, [this] { finish(std::nullopt); });
}

void AssociationQuery::askNext()
{
    if (typeNames_.isEmpty()) {
        finish(false);
        return;
    }
    if (process_) process_->deleteLater();
    process_ = new QProcess(this);
    connect(process_, &QProcess::finished, this, &AssociationQuery::onFinished);
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) finish(std::nullopt);
    });
    process_->start(QStringLiteral("xdg-mime"),
                    {QStringLiteral("query"), QStringLiteral("default"), typeNames_.takeFirst()});
}

void AssociationQuery::onFinished()
{
    if (answered_) return;
    if (process_->exitStatus() == QProcess::NormalExit && process_->exitCode() == 0 &&
        !process_->readAllStandardOutput().trimmed().isEmpty()) {
        finish(true);
        return;
    }
    askNext();
}

void AssociationQuery::finish(std::optional<bool> associated)
{
    if (answered_) return;
    answered_ = true;
    if (process_) {
        // A query that does not reply in time is not heard any more.
        process_->disconnect(this);
        if (process_->state() != QProcess::NotRunning) process_->kill();
    }
    answer_(associated);
    deleteLater();
}

}  // namespace shell
