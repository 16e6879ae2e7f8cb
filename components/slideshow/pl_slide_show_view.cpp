#include "components/slideshow/pl_slide_show_view.h"

#include "components/interfaces/class_ids.h"
#include "components/interfaces/file_type.h"
#include "components/interfaces/restore_spot_action.h"
#include "components/interfaces/spot_story.h"
#include "components/interfaces/undo_delete_picture_action.h"
#include "components/interfaces/undo_set_picture_action.h"
#include "components/mapview/undo_group.h"
#include "components/slideshow/caption_band.h"
#include "components/slideshow/slide_geometry.h"
#include "components/slideshow/slide_show_window.h"
#include "imaging/graphics.h"
#include "imaging/pen.h"
#include "platform/com/runtime.h"
#include "platform/media/sound_window.h"
#include "platform/shell/shell_services.h"
#include "platform/ui/device_context.h"
#include "platform/ui/qt_strings.h"

#include <QPainter>

namespace {

constexpr int kCornerWidth = 200;
constexpr int kCornerBottom = 150;  // a window coordinate, not a height below the top

QRect ToQRect(const tagRECT& r)
{
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

QString TextOf(com::BSTR text)
{
    return text ? ui::ToQString(text) : QString();
}

}  // namespace

PLSlideShowView::~PLSlideShowView()
{
    delete sound_.data();
    delete window_.data();
}

com::HRESULT PLSlideShowView::GetDocument(IDocument** pVal) noexcept
{
    if (!pVal) return com::E_POINTER;
    *pVal = com::ComPtr<IDocument>(document_).detach();
    return com::S_OK;
}

com::HRESULT PLSlideShowView::SetDocument(IDocument* newVal) noexcept
{
    document_ = com::ComPtr<IDocument>(newVal);
    return com::S_OK;
}

QSize PLSlideShowView::clientSize() const
{
    return window_ ? window_->size() : QSize(0, 0);
}

com::ComPtr<IBaseSpot> PLSlideShowView::currentSpot() const
{
    com::ComPtr<IBaseSpot> spot;
    if (document_) document_->GetCurrentSpot(spot.put());
    return spot;
}

com::ComPtr<IPhotoSpot> PLSlideShowView::currentPhotoSpot() const
{
    const com::ComPtr<IBaseSpot> spot = currentSpot();
    return spot ? spot.tryAs<IPhotoSpot>() : com::ComPtr<IPhotoSpot>();
}

void PLSlideShowView::killTimer()
{
    if (window_) window_->killTimer(timerHandle_);
    timerHandle_ = 0;
}

void PLSlideShowView::invalidate()
{
    if (window_) window_->update();
}

void PLSlideShowView::markDirty()
{
    com::VARIANT_BOOL dirty = com::VARIANT_TRUE;
    document_->SetDirty(&dirty);
}

// --- The show -------------------------------------------------------------------------------

com::HRESULT PLSlideShowView::OnSlideShowStart(com::BSTR* inMapFilePath) noexcept
{
    return com::Guarded([&] {
        const QString mapPicture = inMapFilePath ? TextOf(*inMapFilePath) : QString();
        // A thumbnail kept from another map would stand in the corner of this show.
        if (mapPicture != mapPicturePath_) cornerThumbnail_.reset();
        mapPicturePath_ = mapPicture;
        const com::ComPtr<IBaseSpot> spot = currentSpot();
        if (!spot) return com::S_OK;
        const auto photoSpot = spot.tryAs<IPhotoSpot>();
        startTimer_ = true;
        if (timerRuns()) killTimer();
        if (photoSpot) {
            photoSpot->SetIndex(0);
            com::Bstr picture;
            photoSpot->CurrentImage(picture.put());
            currentPicturePath_ = TextOf(picture.get());
            loadPicture(currentPicturePath_);
            readCaption(*photoSpot);
            fitPicture();
            invalidate();
            // The sound of a show started over a running one (a picture previewed from the file
            // browser) must not play on: a spot without a sound would never stop it.
            stopSound();
            com::Bstr audio;
            photoSpot->GetAudioFile(audio.put());
            audioFilePath_ = TextOf(audio.get());
            startSound();
            photoSpot->GetIndex(&startIndex_);
        }
        return com::S_OK;
    });
}

com::HRESULT PLSlideShowView::StopSlideShow() noexcept
{
    com::ComPtr<PLSlideShowView> self(this);  // the host may drop the view while it hears the event
    if (timerRuns()) killTimer();
    // Stopped means nothing pending either: a paint of a stopped view must not start the timer.
    startTimer_ = false;
    Fire(kBroadcastStopSlideShow);
    cornerThumbnail_.reset();
    stopSound();
    return com::S_OK;
}

com::HRESULT PLSlideShowView::PauseSlideShow() noexcept
{
    if (!timerRuns()) return com::S_OK;
    killTimer();
    startTimer_ = false;
    togglePauseSound();
    return com::S_OK;
}

com::HRESULT PLSlideShowView::PlaySlideShow() noexcept
{
    return com::Guarded([&] {
        startTimer_ = true;
        startSound();
        invalidate();
        return com::S_OK;
    });
}

com::HRESULT PLSlideShowView::NextSlide() noexcept
{
    step(true);
    return com::S_OK;
}

com::HRESULT PLSlideShowView::PreviousSlide() noexcept
{
    step(false);
    return com::S_OK;
}

void PLSlideShowView::step(bool forward)
{
    const com::ComPtr<IPhotoSpot> photoSpot = currentPhotoSpot();
    if (!photoSpot) return;
    com::LONG count = 0;
    photoSpot->NumImages(&count);
    if (count == 0) return;
    com::ComPtr<PLSlideShowView> self(this);
    if (forward) photoSpot->NextImage();
    else photoSpot->PreviousImage();
}

void PLSlideShowView::onTimer(int timerId)
{
    // Only the advance timer steps the show: no other timer of the window, and none while stopped.
    if (timerId == 0 || timerId != timerHandle_) return;
    com::ComPtr<PLSlideShowView> self(this);
    const com::ComPtr<IPhotoSpot> photoSpot = currentPhotoSpot();
    com::LONG count = 0;
    if (photoSpot) photoSpot->NumImages(&count);
    // With the spot gone, or nothing left in it, there is nothing more to show: the show ends
    // instead of ticking on over an empty view.
    if (count == 0) {
        StopSlideShow();
        return;
    }
    // The timer runs on: the spot's announcement of its new index restarts it for the new picture.
    photoSpot->NextImage();
    com::LONG index = 0;
    photoSpot->GetIndex(&index);
    if (index == startIndex_) StopSlideShow();
}

com::HRESULT PLSlideShowView::DocumentChanged(com::IUnknown* pUnknown, com::LONG changeType) noexcept
{
    if (!window_ || !window_->isVisible()) return com::S_OK;
    return com::Guarded([&] {
        com::ComPtr<PLSlideShowView> self(this);
        switch (changeType) {
        case kSpotDeleted:
            StopSlideShow();
            break;
        case kPictureAdded:
        case kPictureRemoved:
        case kCurrentPictureChanged: {
            const auto photoSpot =
                pUnknown ? com::ComPtr<com::IUnknown>(pUnknown).tryAs<IPhotoSpot>() : com::ComPtr<IPhotoSpot>();
            if (!photoSpot) break;
            com::LONG count = 0;
            photoSpot->NumImages(&count);
            if (count != 0) showCurrentPicture(*photoSpot);
            break;
        }
        case kPictureCaptionChanged: {
            const com::ComPtr<IPhotoSpot> shown = currentPhotoSpot();
            if (!shown || shown.tryAs<com::IUnknown>().get() != pUnknown) break;
            readCaption(*shown);
            needsRender_ = true;
            invalidate();
            break;
        }
        default:
            break;
        }
        return com::S_OK;
    });
}

void PLSlideShowView::showCurrentPicture(IPhotoSpot& spot)
{
    com::Bstr picture;
    spot.CurrentImage(picture.put());
    currentPicturePath_ = TextOf(picture.get());
    loadPicture(currentPicturePath_);
    readCaption(spot);
    fitPicture();
    if (timerRuns()) {
        killTimer();
        startTimer_ = true;
    }
    invalidate();
}

void PLSlideShowView::loadPicture(const QString& path)
{
    picture_.reset();
    needsRender_ = true;
    if (path.isEmpty()) return;
    picture_.emplace(path);
    // Decoded now, at the size it will be shown, so that pixels that do not decode make a picture
    // of size 0 before it is fitted.
    const tagRECT shown = slideshow::FitSlide(picture_->size(), clientSize());
    if (shown.right > shown.left && shown.bottom > shown.top)
        picture_->pixelsFor(QSize(shown.right - shown.left, shown.bottom - shown.top));
}

void PLSlideShowView::readCaption(IPhotoSpot& spot)
{
    currentCaption_.clear();
    const auto story = com::ComPtr<IPhotoSpot>(&spot).tryAs<ISpotStory>();
    com::LONG index = 0;
    com::Bstr caption;
    if (story && com::SUCCEEDED(spot.GetIndex(&index)) && com::SUCCEEDED(story->GetCaption(index, caption.put())))
        currentCaption_ = TextOf(caption.get());
}

void PLSlideShowView::fitPicture()
{
    if (picture_) pictureRect_ = slideshow::FitSlide(picture_->size(), clientSize());
}

// --- Sound ----------------------------------------------------------------------------------

void PLSlideShowView::startSound()
{
    if (audioFilePath_.isEmpty()) return;
    delete sound_.data();
    sound_ = new media::SoundWindow(audioFilePath_, window_.data());
    sound_->play();
    soundPaused_ = false;
}

void PLSlideShowView::togglePauseSound()
{
    if (audioFilePath_.isEmpty()) return;
    if (soundPaused_) {
        if (sound_) sound_->resume();
        soundPaused_ = false;
    } else {
        if (sound_) sound_->pause();
        soundPaused_ = true;
    }
}

void PLSlideShowView::stopSound()
{
    if (!sound_) return;
    sound_->stop();
    delete sound_.data();
}

// --- Maximize and restore -------------------------------------------------------------------

com::HRESULT PLSlideShowView::GetMaximized(com::LONG* pVal) noexcept
{
    if (!pVal) return com::E_POINTER;
    *pVal = maximized_;
    return com::S_OK;
}

com::HRESULT PLSlideShowView::PutMaximized(com::LONG newVal) noexcept
{
    maximized_ = newVal;
    if (window_) window_->showButtonFor(newVal != 0);
    return com::S_OK;
}

void PLSlideShowView::onMaximizeClicked()
{
    com::ComPtr<PLSlideShowView> self(this);
    if (window_) window_->showButtonFor(true);
    Fire(kSlideShowMaximizeView);
}

void PLSlideShowView::onRestoreClicked()
{
    com::ComPtr<PLSlideShowView> self(this);
    if (window_) window_->showButtonFor(false);
    Fire(kSlideShowMinimizeView);
}

// --- Window ---------------------------------------------------------------------------------

com::HRESULT PLSlideShowView::CreateControlWindow(QWidget* host) noexcept
{
    if (!host) return com::E_POINTER;
    if (window_) return com::E_UNEXPECTED;
    return com::Guarded([&] {
        window_ = new slideshow::SlideShowWindow(*this, *host);
        ui::FillHost(*host, *window_);
        maximized_ = 0;
        return com::S_OK;
    });
}

QWidget* PLSlideShowView::ControlWindow() noexcept
{
    return window_.data();
}

void PLSlideShowView::onSize()
{
    if (clientSize().isEmpty()) return;
    fitPicture();
    needsRender_ = true;
}

void PLSlideShowView::onLButtonDown(tagPOINT point)
{
    if (point.y < kCornerBottom && point.x > clientSize().width() - kCornerWidth) StopSlideShow();
}

void PLSlideShowView::onKeyDown(const ui::KeyPress& key)
{
    com::ComPtr<PLSlideShowView> self(this);
    switch (key.virtualKey) {
    case ui::kVkLeft:
        PreviousSlide();
        return;
    case ui::kVkRight:
        NextSlide();
        return;
    case ui::kVkSpace:
        if (timerRuns()) PauseSlideShow();
        else PlaySlideShow();
        return;
    case ui::kVkDelete:
    case ui::kVkBack:
        // Creating the undo actions fails only when memory runs out; the key then does nothing more.
        com::Guarded([&] {
            deleteCurrentPicture();
            return com::S_OK;
        });
        return;
    case ui::kVkF6:
    case 'U':
        if (key.control) StopSlideShow();
        return;
    default:
        return;
    }
}

void PLSlideShowView::deleteCurrentPicture()
{
    const com::ComPtr<IBaseSpot> spot = currentSpot();
    const auto photoSpot = spot ? spot.tryAs<IPhotoSpot>() : com::ComPtr<IPhotoSpot>();
    if (!photoSpot) return;
    if (timerRuns()) {
        killTimer();
        startTimer_ = true;
    }
    com::LONG count = 0;
    photoSpot->NumImages(&count);
    if (count > 1) {
        auto action = com::CreateInstance<IUndoDeletePictureAction>(CLSID_PLUndoDeletePictureAction);
        com::LONG index = 0;
        photoSpot->GetIndex(&index);
        com::Bstr picture;
        photoSpot->CurrentImage(picture.put());
        com::BSTR argument = picture.get();
        action->Initialize(photoSpot.get(), &argument, index);
        mapview::RecordUndo(*document_, action.as<IUndoAction>().get());
        photoSpot->RemoveCurrentImage();
        markDirty();
        // The picture after the removed one is shown, not the one before it.
        photoSpot->NextImage();
    } else {
        auto restore = com::CreateInstance<IRestoreSpotAction>(CLSID_PLRestoreSpotAction);
        com::LONG index = 0;
        document_->GetSpotIndex(spot.get(), &index);
        restore->Initialize(spot.get(), index, document_.get());
        mapview::RecordUndo(*document_, restore.as<IUndoAction>().get());
        document_->DeleteSpot(spot.get());
        // Removing a spot is an edit like any other: a document that forgot it would close
        // without asking to be saved.
        markDirty();
    }
}

void PLSlideShowView::onDrop(const QStringList& files)
{
    const com::ComPtr<IPhotoSpot> photoSpot = currentPhotoSpot();
    if (!photoSpot) return;
    com::ComPtr<PLSlideShowView> self(this);
    com::Guarded([&] {
        insertPictures(*photoSpot, files);
        return com::S_OK;
    });
    if (window_) window_->setFocus(Qt::OtherFocusReason);
}

void PLSlideShowView::insertPictures(IPhotoSpot& spot, const QStringList& files)
{
    // All the pictures of one drop are one step of undo; a drop of nothing but refused files
    // leaves no empty step behind.
    std::optional<mapview::UndoGroup> group;
    for (const QString& file : files) {
        if (ClassifyFile(ui::ToView(file)) != kFileTypePicture) {
            shell::Services().playRefusedSound();
            continue;
        }
        if (!group) group.emplace(*document_);
        com::Bstr name = ui::ToBstr(file);
        com::BSTR argument = name.get();
        spot.InsertPhoto(&argument);
        markDirty();
        auto action = com::CreateInstance<IUndoSetPictureAction>(CLSID_PLUndoSetPictureAction);
        com::LONG index = 0;
        spot.GetIndex(&index);
        action->Initialize(&spot, index, &argument);
        mapview::RecordUndo(*document_, action.as<IUndoAction>().get());
    }
}

// --- Painting -------------------------------------------------------------------------------

void PLSlideShowView::onPaint(QPainter& painter)
{
    const QRect bounds(QPoint(0, 0), clientSize());
    // In the pixels of the device painted on, so the picture is as sharp as the screen allows.
    const qreal devicePixelRatio = ui::PaintedPixelRatio(painter);
    ui::DeviceContext dc(painter);
    dc.setClipRegion(QRegion(bounds));
    if (needsRender_ || backBuffer_.deviceIndependentSize() != QSizeF(bounds.size()) ||
        backBuffer_.devicePixelRatio() != devicePixelRatio)
        rebuildBackBuffer(bounds.size(), devicePixelRatio);
    dc.bitBlt(bounds, backBuffer_);
    dc.removeClip();
    if (startTimer_ && window_) {
        // Qt adds a timer at every start: one still running (Play pressed while playing) would
        // tick on beside the new one, forever.
        if (timerRuns()) killTimer();
        timerHandle_ = window_->startTimer(kAdvanceMilliseconds);
        startTimer_ = false;
    }
    // The buttons are child windows: Qt paints them over the picture after every paint of the view.
}

void PLSlideShowView::rebuildBackBuffer(QSize bounds, qreal devicePixelRatio)
{
    needsRender_ = false;
    // Without a picture the fresh buffer keeps the ground under a picture: white, unless the
    // desktop's palette is a dark one.
    backBuffer_ = QImage((QSizeF(bounds) * devicePixelRatio).toSize(), QImage::Format_RGB32);
    backBuffer_.setDevicePixelRatio(devicePixelRatio);
    backBuffer_.fill(window_ ? window_->palette().color(QPalette::Base) : QColor(Qt::white));
    if (picture_) {
        const QRect target = ToQRect(pictureRect_);
        if (!target.isEmpty()) {
            {
                imaging::Graphics graphics(backBuffer_);
                graphics.drawImage(picture_->pixelsFor((QSizeF(target.size()) * devicePixelRatio).toSize()), target);
            }
            slideshow::PaintCaptionBand(backBuffer_, target, currentCaption_);
        }
    }
    paintCornerMap(backBuffer_);
}

void PLSlideShowView::paintCornerMap(QImage& target)
{
    const int width = qRound(target.deviceIndependentSize().width());
    const QRect box(width - kCornerWidth, 0, kCornerWidth, kCornerBottom);
    const bool fits = cornerThumbnail_ &&
                      (cornerThumbnail_->width() == box.width() || cornerThumbnail_->height() == box.height());
    if (!fits) {
        cornerThumbnail_.reset();
        if (mapPicturePath_.isEmpty()) return;
        const QSize size = slideshow::CornerThumbnailSize(imaging::Image::SizeOfFile(mapPicturePath_), box.size());
        if (size.isEmpty()) return;
        imaging::Image made = imaging::Image::FromFile(mapPicturePath_, size);
        if (made.size().isEmpty()) return;
        cornerThumbnail_ = std::move(made);
    }
    const QRect shown(box.left() + (box.width() - cornerThumbnail_->width()) / 2,
                      box.top() + (box.height() - cornerThumbnail_->height()) / 2, cornerThumbnail_->width(),
                      cornerThumbnail_->height());
    imaging::Graphics graphics(target);
    graphics.drawImage(*cornerThumbnail_, shown);
    graphics.drawRectangle(imaging::Pen(0xFF000000, 2), QRectF(shown));
}
