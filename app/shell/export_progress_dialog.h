#pragma once

#include <QDialog>
#include <QTimer>

class QProgressBar;

namespace html_export {
class ExportJob;
}

namespace shell {

// The modal dialog behind which an export runs: it starts the job when it opens, looks at it once a
// second, and ends with kFinished at the first look after the job is done, or with kCancelled when
// the user presses Cancel (or Escape). The close box is greyed: only Cancel ends it early.
//
// Thread: the user-interface thread; the job's worker runs meanwhile.
class ExportProgressDialog final : public QDialog {
    Q_OBJECT

public:
    enum Result { kFinished = 1, kCancelled = 2 };
    static constexpr int kPollMilliseconds = 1000;

    ExportProgressDialog(html_export::ExportJob& job, QWidget* owner);

    // As the Cancel button: sets the job's cancel flag and ends the dialog.
    void cancel();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void poll();

    html_export::ExportJob& job_;
    QProgressBar* bar_;
    QTimer timer_;
    bool started_ = false;
    bool rangeSet_ = false;
};

}  // namespace shell
