#pragma once

#include "components/interfaces/photo_spot.h"
#include "components/interfaces/slide_show_view.h"
#include "imaging/shown_picture.h"
#include "imaging/image.h"
#include "platform/com/event_source.h"
#include "platform/com/implements.h"
#include "platform/ui/hosted_control.h"
#include "platform/ui/key_codes.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <optional>

class QPainter;

namespace media {
class SoundWindow;
}

namespace slideshow {
class SlideShowWindow;
}

// The slide show control: plays the pictures of the document's current photo spot, each fitted on
// white for five seconds after it was painted, with its caption in a band at its foot, the spot's
// sound once, and the map picture as a thumbnail in the top right corner. Its window (SlideShowWindow) only translates Qt's events into
// the handlers below.
//
// The show is stopped (no timer, no start pending), waiting to run (the next paint starts the
// timer), running (a tick every five seconds steps one picture) or paused. A step never loads the
// picture itself: the spot announces its new index through the document, the host forwards that to
// DocumentChanged, and the picture is loaded there, so every way of changing the picture (keys,
// buttons, timer, undo) shows it the same way.
//
// Thread: the user-interface thread. Events reach the host synchronously, also from inside the
// view's own handlers; the host may drop its reference to the view while handling them.
class PLSlideShowView final
    : public com::Implements<PLSlideShowView, ISlideShowView, com::EventSource<_ISlideShowViewEvents>,
                             ui::IHostedControl> {
public:
    static constexpr int kAdvanceMilliseconds = 5000;

    PLSlideShowView() = default;

    com::HRESULT GetDocument(IDocument** pVal) noexcept override;
    com::HRESULT SetDocument(IDocument* newVal) noexcept override;
    com::HRESULT DocumentChanged(com::IUnknown* pUnknown, com::LONG changeType) noexcept override;
    com::HRESULT OnSlideShowStart(com::BSTR* inMapFilePath) noexcept override;
    com::HRESULT StopSlideShow() noexcept override;
    com::HRESULT PauseSlideShow() noexcept override;
    com::HRESULT PlaySlideShow() noexcept override;
    com::HRESULT NextSlide() noexcept override;
    com::HRESULT PreviousSlide() noexcept override;
    com::HRESULT GetMaximized(com::LONG* pVal) noexcept override;
    com::HRESULT PutMaximized(com::LONG newVal) noexcept override;

    com::HRESULT CreateControlWindow(QWidget* host) noexcept override;
    QWidget* ControlWindow() noexcept override;

    // The window's messages, as SlideShowWindow translates them. Points are area coordinates.
    void onPaint(QPainter& painter);
    void onSize();
    void onTimer(int timerId);
    void onKeyDown(const ui::KeyPress& key);
    void onLButtonDown(tagPOINT point);
    void onMaximizeClicked();
    void onRestoreClicked();
    // The files of one drop, in their order: the pictures go into the current photo spot.
    void onDrop(const QStringList& files);

private:
    ~PLSlideShowView() override;

    QSize clientSize() const;
    com::ComPtr<IBaseSpot> currentSpot() const;
    com::ComPtr<IPhotoSpot> currentPhotoSpot() const;
    bool timerRuns() const { return timerHandle_ != 0; }
    void killTimer();
    void invalidate();
    void markDirty();

    void loadPicture(const QString& path);
    void readCaption(IPhotoSpot& spot);
    void fitPicture();
    void showCurrentPicture(IPhotoSpot& spot);
    void step(bool forward);
    void deleteCurrentPicture();
    void insertPictures(IPhotoSpot& spot, const QStringList& files);

    void rebuildBackBuffer(QSize bounds, qreal devicePixelRatio);
    void paintCornerMap(QImage& target);

    void startSound();
    void togglePauseSound();
    void stopSound();

    com::ComPtr<IDocument> document_;
    QString mapPicturePath_;
    QString currentPicturePath_;
    QString currentCaption_;
    std::optional<imaging::ShownPicture> picture_;
    tagRECT pictureRect_{0, 0, 0, 0};
    bool needsRender_ = true;
    QImage backBuffer_;
    std::optional<imaging::Image> cornerThumbnail_;
    int timerHandle_ = 0;
    bool startTimer_ = false;
    com::LONG startIndex_ = 0;
    QString audioFilePath_;
    // A child of the view's window, like the platform's media window.
    QPointer<media::SoundWindow> sound_;
    bool soundPaused_ = false;
    com::LONG maximized_ = 0;
    QPointer<slideshow::SlideShowWindow> window_;
};
