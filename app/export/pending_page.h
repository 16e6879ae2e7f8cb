#pragma once

#include "app/export/export_report.h"

#include <QString>
#include <mutex>
#include <optional>

namespace html_export {

// The slide-show page of one photo spot, which names the spot's pictures. Since the pictures are
// converted on other threads, the page waits for them: it is written once its text is sealed and
// every picture submitted for it has been converted, so no page ever names a picture that a cancel
// kept from being made. A spot whose picture loop a cancel cut short is abandoned: its pictures
// still queued are skipped and its page is never written.
//
// Thread: the site writer expects pictures, seals and abandons; conversion threads report pictures
// done and ask whether to skip them. The page is written on whichever of them comes last.
class PendingPage {
public:
    PendingPage(QString path, ExportReport& report);
    PendingPage(const PendingPage&) = delete;
    PendingPage& operator=(const PendingPage&) = delete;

    // Before a picture of the page is submitted for conversion.
    void expectPicture();
    // After that picture was converted, whether or not the conversion succeeded, or skipped.
    void pictureDone();
    // The page's text is complete: write it as soon as no picture is outstanding.
    void seal(QString text);
    void abandon();
    bool abandoned() const;

private:
    void writeWhenReady();

    const QString path_;
    ExportReport& report_;
    mutable std::mutex mutex_;
    std::optional<QString> text_;
    int outstanding_ = 0;
    bool abandoned_ = false;
};

}  // namespace html_export
