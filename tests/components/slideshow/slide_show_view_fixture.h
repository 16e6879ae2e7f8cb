#pragma once

#include "components/interfaces/photo_spot.h"
#include "components/interfaces/slide_show_view.h"
#include "platform/com/event_source.h"
#include "platform/com/implements.h"
#include "tests/support/listened_document_test.h"
#include "tests/support/scripted_shell_services.h"
#include "tests/support/temporary_directory.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

namespace media {
class SoundWindow;
}

namespace test_support {

// Records the slide show view's events in order.
class SlideShowViewEvents final : public com::Implements<SlideShowViewEvents, _ISlideShowViewEvents> {
public:
    com::HRESULT BroadcastStopSlideShow() noexcept override { return record(kBroadcastStopSlideShow); }
    com::HRESULT MaximizeView() noexcept override { return record(kSlideShowMaximizeView); }
    com::HRESULT MinimizeView() noexcept override { return record(kSlideShowMinimizeView); }

    std::vector<com::DISPID> fired;

private:
    com::HRESULT record(com::DISPID id)
    {
        fired.push_back(id);
        return com::S_OK;
    }
};

// A slide show view hosted in a shown top-level widget, joined to a document whose notifications
// it hears as the application forwards them, with its events recorded and the shell scripted.
class SlideShowViewTest : public ListenedDocumentTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A picture file of one colour in the test's folder.
    QString picture(const QString& name, QSize size, QColor colour, const char* format = "PNG");
    QString file(const QString& name, const QByteArray& contents);
    QString folderPath() const;

    // A photo spot of the document with these pictures, made the current spot.
    com::ComPtr<IPhotoSpot> currentSpotWith(const std::vector<QString>& pictures, const QString& sound = {});
    void start(const QString& mapPicture = {});

    // Paints the view as the screen would (which starts a pending timer) and gives its pixels.
    QImage paint();
    // The advance timer's id while it runs, else 0; fails the test when its interval is not 5 s.
    int runningTimer() const;
    // A tick of the advance timer, without the wait.
    void tick();
    media::SoundWindow* sound() const;

    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void drop(const std::vector<QString>& paths);

    ScriptedShellServices shell;
    TemporaryDirectory folder;
    std::unique_ptr<QWidget> host;
    QWidget* window = nullptr;
    com::ComPtr<ISlideShowView> view;
    com::ComPtr<SlideShowViewEvents> events;
    com::EventConnection<_ISlideShowViewEvents> eventConnection;
};

}  // namespace test_support
