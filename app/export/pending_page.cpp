#include "app/export/pending_page.h"

#include "app/export/site_files.h"

namespace html_export {

PendingPage::PendingPage(QString path, ExportReport& report) : path_(std::move(path)), report_(report) {}

void PendingPage::expectPicture()
{
    std::lock_guard lock(mutex_);
    ++outstanding_;
}

void PendingPage::pictureDone()
{
    std::lock_guard lock(mutex_);
    --outstanding_;
    writeWhenReady();
}

void PendingPage::seal(QString text)
{
    std::lock_guard lock(mutex_);
    text_ = std::move(text);
    writeWhenReady();
}

void PendingPage::abandon()
{
    std::lock_guard lock(mutex_);
    abandoned_ = true;
}

bool PendingPage::abandoned() const
{
    std::lock_guard lock(mutex_);
    return abandoned_;
}

// Called with the mutex held. Only one call can find the page ready: the seal when nothing is
// outstanding, or else the last picture done after the seal.
void PendingPage::writeWhenReady()
{
    if (!text_ || outstanding_ > 0 || abandoned_)
        return;
    if (std::optional<QString> failure = SiteFiles::WritePage(path_, *text_))
        report_.add({path_, *failure});
}

}  // namespace html_export
