#include "app/shell/export_progress_dialog.h"

#include "app/export/export_job.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

namespace shell {

namespace {

// The dialog's template is drawn in dialog units: a quarter of the font's average character width
// across, an eighth of its height down.
class DialogUnits {
public:
    explicit DialogUnits(const QFontMetrics& metrics)
        : baseX_(metrics.averageCharWidth()), baseY_(metrics.height())
    {
    }
    QRect rect(int x, int y, int width, int height) const
    {
        return QRect(px(x), py(y), px(width), py(height));
    }
    QSize size(int width, int height) const { return QSize(px(width), py(height)); }

private:
    int px(int units) const { return (units * baseX_ + 2) / 4; }
    int py(int units) const { return (units * baseY_ + 4) / 8; }

    int baseX_;
    int baseY_;
};

}  // namespace

ExportProgressDialog::ExportProgressDialog(html_export::ExportJob& job, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), job_(job)
{
    setWindowTitle(QStringLiteral("Export to HTML"));
    setModal(true);
    const DialogUnits units(fontMetrics());
    setFixedSize(units.size(175, 62));

    auto* text = new QLabel(QStringLiteral("Creating web pages from your map."), this);
    text->setGeometry(units.rect(7, 7, 161, 10));
    bar_ = new QProgressBar(this);
    bar_->setTextVisible(false);
    bar_->setRange(0, 0);
    bar_->setGeometry(units.rect(7, 22, 161, 9));
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setGeometry(units.rect(118, 39, 50, 16));
    connect(cancelButton, &QPushButton::clicked, this, &ExportProgressDialog::cancel);

    timer_.setInterval(kPollMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &ExportProgressDialog::poll);

    if (const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void ExportProgressDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (started_) return;
    started_ = true;
    job_.start();
    timer_.start();
}

void ExportProgressDialog::poll()
{
    if (job_.done()) {
        timer_.stop();
        done(kFinished);
        return;
    }
    // The range is known once the counting pass has ended, which the first written unit shows.
    const int position = job_.position();
    if (!rangeSet_ && position != 0) {
        bar_->setRange(0, job_.total());
        rangeSet_ = true;
    }
    if (rangeSet_) bar_->setValue(position);
}

void ExportProgressDialog::cancel()
{
    timer_.stop();
    job_.cancel();
    done(kCancelled);
}

void ExportProgressDialog::reject()
{
    cancel();
}

void ExportProgressDialog::closeEvent(QCloseEvent* event)
{
    // The close box is greyed; a window manager that closes the dialog anyway is not obeyed.
    event->ignore();
}

}  // namespace shell
