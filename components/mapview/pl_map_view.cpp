#include "components/mapview/pl_map_view.h"

#include "components/interfaces/class_ids.h"
#include "components/interfaces/file_type.h"
#include "components/interfaces/map_spot.h"
#include "components/interfaces/photo_spot.h"
#include "components/interfaces/position_action.h"
#include "components/interfaces/restore_spot_action.h"
#include "components/interfaces/spot_view.h"
#include "components/interfaces/undo_create_action.h"
#include "components/interfaces/undo_set_audio.h"
#include "components/interfaces/undo_set_map_action.h"
#include "components/interfaces/undo_set_map_spot_map.h"
#include "components/mapview/map_view_window.h"
#include "components/mapview/spot_edits.h"
#include "components/mapview/spot_tool_tip.h"
#include "components/mapview/tool_support.h"
#include "components/mapview/undo_group.h"
#include "imaging/graphics.h"
#include "imaging/pen.h"
#include "platform/com/runtime.h"
#include "platform/shell/shell_services.h"
#include "platform/ui/cell_height_font.h"
#include "platform/ui/device_context.h"
#include "platform/ui/qt_strings.h"

#include <QPainter>

namespace {

constexpr int kOverviewWidth = 200;
constexpr int kOverviewHeight = 150;
constexpr int kNewSpotHalfSize = 20;  // window pixels: a new spot looks the same at every scale

constexpr char16_t kHintText[] =
    u"Select a map from the list on the left, then drag that map into this window.\r"
    u"After that drag and drop pictures from the list into this window.";

QRect ToQRect(const tagRECT& r)
{
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

}  // namespace

using mapview::MarkDirty;

PLMapView::~PLMapView()
{
    delete window_.data();
}

com::HRESULT PLMapView::GetDocument(IDocument** pVal) noexcept
{
    if (!pVal) return com::E_POINTER;
    *pVal = com::ComPtr<IDocument>(document_).detach();
    return com::S_OK;
}

com::HRESULT PLMapView::SetDocument(IDocument* newVal) noexcept
{
    document_ = com::ComPtr<IDocument>(newVal);
    nudgedSpot_.reset();
    return com::S_OK;
}

com::HRESULT PLMapView::GetMapFileName(com::BSTR* pVal) noexcept
{
    if (!pVal) return com::S_OK;
    *pVal = nullptr;
    if (mapFileName_) {
        *pVal = ui::ToBstr(*mapFileName_).detach();
        if (!*pVal) return com::E_OUTOFMEMORY;
    }
    return com::S_OK;
}

com::HRESULT PLMapView::SetMapFileName(com::BSTR newVal) noexcept
{
    return com::Guarded([&] {
        mapFileName_ = newVal ? std::optional<QString>(ui::ToQString(newVal)) : std::nullopt;
        return com::S_OK;
    });
}

com::HRESULT PLMapView::SetCurrentTool(IBaseTool* newVal) noexcept
{
    currentTool_ = com::ComPtr<IBaseTool>(newVal);
    return com::S_OK;
}

QSize PLMapView::clientSize() const
{
    return window_ ? window_->size() : QSize(0, 0);
}

mapview::ViewFit PLMapView::fit() const
{
    if (zoom_) return mapview::ZoomedFit(zoom_->scale, zoom_->origin);
    return mapview::FitFor(mapPicture_ ? mapPicture_->size() : QSize(0, 0), clientSize());
}

com::HRESULT PLMapView::ConvertAreaRectToModelRect(tagRECT* areaRect, tagRECT* modelRect) noexcept
{
    if (!areaRect || !modelRect) return com::E_POINTER;
    *modelRect = mapPicture_ ? mapview::AreaRectToModel(fit(), *areaRect) : *areaRect;
    return com::S_OK;
}

com::HRESULT PLMapView::ConvertAreaPointToModelPoint(tagPOINT* inAreaPoint, tagPOINT* outModelPoint) noexcept
{
    if (!inAreaPoint || !outModelPoint) return com::E_POINTER;
    *outModelPoint = mapPicture_ ? mapview::AreaPointToModel(fit(), *inAreaPoint) : tagPOINT{-1, -1};
    return com::S_OK;
}

com::HRESULT PLMapView::ConvertModelRectToAreaRect(tagRECT* inModelRect, tagRECT* outAreaRect) noexcept
{
    if (!inModelRect || !outAreaRect) return com::E_POINTER;
    *outAreaRect = mapPicture_ ? mapview::ModelRectToArea(fit(), *inModelRect) : *inModelRect;
    return com::S_OK;
}

com::HRESULT PLMapView::GetModelBounds(tagRECT* outRect) noexcept
{
    if (!outRect) return com::E_POINTER;
    const QSize size = mapPicture_ ? mapPicture_->size() : QSize(0, 0);
    *outRect = {0, 0, size.width(), size.height()};
    return com::S_OK;
}

com::HRESULT PLMapView::DocumentChanged(com::IUnknown* pUnknown, com::LONG changeType) noexcept
{
    // Any change but a nudge's own ends the run of nudges: an edit, an undo, another spot selected.
    if (!nudging_) nudgedSpot_.reset();
    if (!pUnknown) return com::S_OK;
    return com::Guarded([&] {
        if (changeType >= 0 && changeType <= kMapFileChanged) {
            const auto document = com::ComPtr<com::IUnknown>(pUnknown).tryAs<IDocument>();
            if (!document) return com::S_OK;
            com::Bstr mapFile;
            document->GetMapFile(mapFile.put());
            mapFileName_ = ui::ToQString(mapFile.get());
            offscreenStale_ = true;
            zoom_.reset();
            zoomPixels_.reset();
            loadMapPicture();
            onSize();
            invalidateWindow();
        } else if (changeType >= kSpotDeleted && changeType <= kSpotVisitedChanged) {
            const auto spot = com::ComPtr<com::IUnknown>(pUnknown).tryAs<IBaseSpot>();
            if (!spot) return com::S_OK;
            tagRECT bounds{};
            spot->GetBounds(&bounds);
            pendingRepaints_.push_back(bounds);
            invalidateWindow();
        }
        return com::S_OK;
    });
}

com::HRESULT PLMapView::OnDeleteKey() noexcept
{
    if (!document_) return com::S_OK;
    return com::Guarded([&] {
        com::ComPtr<IBaseSpot> spot;
        document_->GetCurrentSpot(spot.put());
        if (!spot) return com::S_OK;
        com::LONG index = 0;
        document_->GetSpotIndex(spot.get(), &index);
        auto restore = com::CreateInstance<IRestoreSpotAction>(CLSID_PLRestoreSpotAction);
        restore->Initialize(spot.get(), index, document_.get());
        mapview::RecordUndo(*document_, restore.as<IUndoAction>().get());
        document_->DeleteSpot(spot.get());
        MarkDirty(*document_);
        return com::S_OK;
    });
}

com::HRESULT PLMapView::PushContainingMap(com::BSTR* inMap, com::BSTR* inMapImage) noexcept
{
    return com::Guarded([&] {
        const auto copy = [](com::BSTR* text) {
            return text ? std::optional<std::u16string>(com::View(*text)) : std::nullopt;
        };
        containingMaps_.push_back({copy(inMap), copy(inMapImage)});
        overviewPicture_.reset();
        return com::S_OK;
    });
}

com::HRESULT PLMapView::PopContainingMap() noexcept
{
    if (!containingMaps_.empty()) containingMaps_.pop_back();
    overviewPicture_.reset();
    return com::S_OK;
}

com::HRESULT PLMapView::PopAllMaps() noexcept
{
    while (!containingMaps_.empty()) PopContainingMap();
    return com::S_OK;
}

com::HRESULT PLMapView::GetRootMap(com::BSTR* outRootMap) noexcept
{
    if (!outRootMap) return com::E_POINTER;
    if (containingMaps_.empty() || !containingMaps_.front().map || containingMaps_.front().map->empty())
        return com::S_OK;
    *outRootMap = com::Bstr(*containingMaps_.front().map).detach();
    return *outRootMap ? com::S_OK : com::E_OUTOFMEMORY;
}

com::HRESULT PLMapView::InvalMap() noexcept
{
    // Kept as the whole client area: converted to model coordinates and back, truncation could take
    // its last row or column off, and what stood there before (the slide show, when the map comes
    // back) would stay on screen.
    repaintWhole_ = true;
    return com::S_OK;
}

com::HRESULT PLMapView::GetMaximized(com::LONG* pVal) noexcept
{
    if (!pVal) return com::E_POINTER;
    *pVal = maximized_;
    return com::S_OK;
}

com::HRESULT PLMapView::PutMaximized(com::LONG newVal) noexcept
{
    maximized_ = newVal;
    if (window_) window_->showButtonFor(newVal != 0);
    return com::S_OK;
}

com::HRESULT PLMapView::ZoomToFit() noexcept
{
    if (zoom_) setZoom(std::nullopt);
    return com::S_OK;
}

com::HRESULT PLMapView::CreateControlWindow(QWidget* host) noexcept
{
    if (!host) return com::E_POINTER;
    if (window_) return com::E_UNEXPECTED;
    return com::Guarded([&] {
        window_ = new mapview::MapViewWindow(*this, *host);
        ui::FillHost(*host, *window_);
        maximized_ = 0;
        return com::S_OK;
    });
}

QWidget* PLMapView::ControlWindow() noexcept
{
    return window_.data();
}

void PLMapView::loadMapPicture()
{
    mapPicture_.reset();
    if (mapFileName_->isEmpty()) return;
    mapPicture_.emplace(*mapFileName_);
    // Decoded now, at the size it will be shown, so that a file whose pixels do not decode is a
    // picture of size 0 before anything is placed on it.
    const QRect shown = ToQRect(mapview::FitPicture(mapPicture_->size(), clientSize()));
    const qreal devicePixelRatio = window_ ? window_->devicePixelRatioF() : 1.0;
    if (!shown.isEmpty()) mapPicture_->pixelsFor((QSizeF(shown.size()) * devicePixelRatio).toSize());
}

void PLMapView::invalidateWindow()
{
    if (window_) window_->update();
}

// --- Window messages ------------------------------------------------------------------------

void PLMapView::onSize()
{
    const QSize client = clientSize();
    if (client.isEmpty()) return;
    if (zoom_ && mapPicture_) {
        // A window grown so far that the fit shows the map larger than the zoom is back at the fit.
        const double fitScale = mapview::FitFor(mapPicture_->size(), client).modelToArea;
        if (zoom_->scale.value() <= fitScale) zoom_.reset();
        else zoom_->origin = mapview::ClampOrigin(zoom_->origin, mapview::ZoomedSize(mapPicture_->size(), zoom_->scale), client);
    }
    if (mapPicture_) pictureRect_ = shownPictureRect();
    offscreenStale_ = true;
}

tagRECT PLMapView::shownPictureRect() const
{
    if (!zoom_) return mapview::FitPicture(mapPicture_->size(), clientSize());
    const QSize shown = mapview::ZoomedSize(mapPicture_->size(), zoom_->scale);
    return {zoom_->origin.x(), zoom_->origin.y(), zoom_->origin.x() + shown.width(), zoom_->origin.y() + shown.height()};
}

void PLMapView::setZoom(std::optional<Zoom> zoom)
{
    zoom_ = zoom;
    if (!zoom_) zoomPixels_.reset();
    pictureRect_ = shownPictureRect();
    offscreenStale_ = true;
    InvalMap();
    invalidateWindow();
}

void PLMapView::zoomBy(int steps, QPoint anchor)
{
    const QSize client = clientSize();
    if (!mapPicture_ || mapPicture_->size().isEmpty() || client.isEmpty() || steps == 0) return;
    const mapview::ViewFit before = fit();
    const double fitScale = mapview::FitFor(mapPicture_->size(), client).modelToArea;
    std::optional<mapview::ZoomScale> scale = zoom_ ? std::optional(zoom_->scale) : std::nullopt;
    for (int i = 0; i < std::abs(steps); ++i) {
        const double current = scale ? scale->value() : fitScale;
        if (steps > 0) {
            const std::optional<mapview::ZoomScale> larger = mapview::ZoomStepIn(current);
            if (!larger) break;
            scale = larger;
        } else {
            scale = mapview::ZoomStepOut(current, fitScale);
            if (!scale) break;
        }
    }
    if (!scale) {
        ZoomToFit();
        return;
    }
    if (zoom_ && zoom_->scale == *scale) return;
    // The map point under the anchor, in fractions of a model unit, stays under it.
    const double modelX = (anchor.x() - before.offsetX) / before.modelToArea;
    const double modelY = (anchor.y() - before.offsetY) / before.modelToArea;
    const QPoint origin(anchor.x() - qRound(modelX * scale->value()), anchor.y() - qRound(modelY * scale->value()));
    setZoom(Zoom{*scale, mapview::ClampOrigin(origin, mapview::ZoomedSize(mapPicture_->size(), *scale), client)});
}

void PLMapView::panBy(QPoint delta)
{
    if (!zoom_) return;
    const QPoint origin = mapview::ClampOrigin(zoom_->origin + delta, mapview::ZoomedSize(mapPicture_->size(), zoom_->scale),
                                               clientSize());
    if (origin != zoom_->origin) setZoom(Zoom{zoom_->scale, origin});
}

void PLMapView::onZoomPixelsArrived()
{
    offscreenStale_ = true;
    InvalMap();
    invalidateWindow();
}

void PLMapView::onSetFocus()
{
    InvalMap();
}

bool PLMapView::hasContainingMap() const
{
    return !containingMaps_.empty() && containingMaps_.back().map.has_value();
}

bool PLMapView::inOverviewBox(tagPOINT point) const
{
    return point.x > clientSize().width() - kOverviewWidth && point.y < kOverviewHeight;
}

void PLMapView::zoomOut()
{
    com::ComPtr<PLMapView> self(this);  // a host may drop the view while handling the event
    com::Bstr path(*containingMaps_.back().map);
    com::BSTR argument = path.get();
    Fire(kBroadcastZoomOut, &argument);
}

void PLMapView::callTool(ToolHandler handler, tagPOINT point)
{
    if (!currentTool_ || !document_) return;
    com::ComPtr<IMapView> self(this);
    const com::ComPtr<IBaseTool> tool = currentTool_;  // the tool may be replaced during its call
    const com::ComPtr<IDocument> document = document_;
    (tool.get()->*handler)(document.get(), self.get(), &point);
}

void PLMapView::onLButtonDown(tagPOINT point)
{
    if (hasContainingMap() && inOverviewBox(point)) {
        zoomOut();
        return;
    }
    callTool(&IBaseTool::LButtonDown, point);
}

void PLMapView::onMouseMove(tagPOINT point)
{
    callTool(&IBaseTool::OnMouseMove, point);
}

QString PLMapView::toolTipAt(tagPOINT point)
{
    if (!document_) return {};
    tagPOINT model{};
    ConvertAreaPointToModelPoint(&point, &model);
    com::ComPtr<IBaseSpot> hit;
    document_->SpotAtPoint(&model, hit.put());
    return hit ? mapview::SpotToolTip(*hit.get()) : QString();
}

void PLMapView::onLButtonUp(tagPOINT point)
{
    callTool(&IBaseTool::LButtonUp, point);
}

void PLMapView::onLButtonDoubleClick(tagPOINT point)
{
    callTool(&IBaseTool::LButtonDoubleClick, point);
}

void PLMapView::onKeyDown(const ui::KeyPress& key)
{
    com::ComPtr<PLMapView> self(this);
    switch (key.virtualKey) {
    case ui::kVkBack:
    case ui::kVkDelete:
        OnDeleteKey();
        return;
    case ui::kVkTab:
        selectNeighbour(key.shift);
        return;
    case ui::kVkLeft:
    case ui::kVkUp:
    case ui::kVkRight:
    case ui::kVkDown:
        // Creating the undo action fails only when memory runs out; the spot then stays put.
        com::Guarded([&] {
            nudge(key.virtualKey);
            return com::S_OK;
        });
        return;
    case 'U':
    case ui::kVkF6:
        if (key.control && hasContainingMap()) zoomOut();
        return;
    default:
        if (currentTool_ && document_) {
            const com::ComPtr<IBaseTool> tool = currentTool_;
            tool->OnKeyDown(document_.get(), identity(), key.virtualKey);
        }
    }
}

void PLMapView::selectNeighbour(bool previous)
{
    if (!document_) return;
    com::ComPtr<IBaseSpot> current;
    document_->GetCurrentSpot(current.put());
    if (!current) return;
    com::LONG index = 0, count = 0;
    document_->GetSpotIndex(current.get(), &index);
    document_->GetNumSpots(&count);
    index += previous ? -1 : 1;
    if (index == count) index = 0;
    if (index == -1) index = count - 1;
    com::ComPtr<IBaseSpot> next;
    document_->SpotAtIndex(index, next.put());
    if (next) document_->PutCurrentSpot(next.get());
}

void PLMapView::nudge(long virtualKey)
{
    if (!document_ || !mapPicture_) return;
    com::ComPtr<IBaseSpot> spot;
    document_->GetCurrentSpot(spot.put());
    if (!spot) return;
    tagRECT bounds{}, model{};
    spot->GetBounds(&bounds);
    const com::LONG dx = virtualKey == ui::kVkLeft ? -1 : virtualKey == ui::kVkRight ? 1 : 0;
    const com::LONG dy = virtualKey == ui::kVkUp ? -1 : virtualKey == ui::kVkDown ? 1 : 0;
    tagRECT moved = mapview::NudgeModelRect(fit(), bounds, dx, dy);
    GetModelBounds(&model);
    if (moved.left <= 0 || moved.top <= 0 || moved.right >= model.right || moved.bottom >= model.bottom) return;
    // The presses of one run move the spot in one undo step, as typing is undone word by word: the
    // first records where the spot stood, the others only move it.
    if (nudgedSpot_ != spot) {
        auto action = com::CreateInstance<IPositionAction>(CLSID_PLPositionAction);
        action->Initialize(spot.get(), &bounds);
        mapview::RecordUndo(*document_, action.as<IUndoAction>().get());
    }
    nudging_ = true;
    spot->SetBounds(&moved);
    MarkDirty(*document_);
    document_->ChangeNotification(spot.as<com::IUnknown>().get(), kSpotMoved);
    nudging_ = false;
    nudgedSpot_ = spot;
}

void PLMapView::onCollapseClicked()
{
    com::ComPtr<PLMapView> self(this);
    if (window_) window_->showButtonFor(true);
    Fire(kMaximizeView);
}

void PLMapView::onExpandClicked()
{
    com::ComPtr<PLMapView> self(this);
    if (window_) window_->showButtonFor(false);
    Fire(kMinimizeView);
}

// --- Painting -------------------------------------------------------------------------------

QRegion PLMapView::repaintRegion()
{
    const QSize client = clientSize();
    if (pendingRepaints_.empty() || repaintWhole_) {
        pendingRepaints_.clear();
        repaintWhole_ = false;
        return QRegion(0, 0, client.width(), client.height());
    }
    QRegion region;
    for (tagRECT model : pendingRepaints_) {
        tagRECT area{};
        ConvertModelRectToAreaRect(&model, &area);
        region += ToQRect(area);
    }
    pendingRepaints_.clear();
    return region;
}

void PLMapView::onPaint(QPainter& painter)
{
    if (!document_) return;
    const QRect client(QPoint(0, 0), clientSize());
    ui::DeviceContext dc(painter);
    QRegion region = repaintRegion();
    if (!mapPicture_) {
        dc.setClipRegion(region);
        paintHint(dc, client);
    } else {
        // The copy is made in the pixels of the device painted on, so a map on a screen scaled to
        // 200 % is as sharp as the text beside it.
        const qreal devicePixelRatio = ui::PaintedPixelRatio(painter);
        if (offscreenStale_ || offscreen_.devicePixelRatio() != devicePixelRatio) {
            rebuildOffscreen(client, devicePixelRatio);
            region = QRegion(client);
        }
        dc.setClipRegion(region);
        dc.bitBlt(client, offscreen_);
        paintSpots(dc, region);
        paintOverview(dc, client);
    }
    dc.removeClip();
    // The buttons are child windows: Qt paints them over the map after every paint of the view.
}

QColor PLMapView::background() const
{
    // White in the default palette; a dark desktop palette gives its own ground.
    return window_ ? window_->palette().color(QPalette::Base) : QColor(Qt::white);
}

void PLMapView::paintHint(ui::DeviceContext& dc, const QRect& client)
{
    const QColor ground = background();
    const QColor text = window_ ? window_->palette().color(QPalette::Text) : QColor(Qt::black);
    dc.fillRect(client, ui::Rgb(ground.red(), ground.green(), ground.blue()));
    dc.setTextColor(ui::Rgb(text.red(), text.green(), text.blue()));
    dc.setBackgroundColor(ui::Rgb(ground.red(), ground.green(), ground.blue()));
    dc.drawTextCentred(ui::ToQString(std::u16string_view(kHintText)), ui::CellHeightFont("Arial", 18),
                       client.adjusted(0, 80, 0, 0));
}

void PLMapView::rebuildOffscreen(const QRect& client, qreal devicePixelRatio)
{
    offscreen_ = QImage((QSizeF(client.size()) * devicePixelRatio).toSize(), QImage::Format_RGB32);
    offscreen_.setDevicePixelRatio(devicePixelRatio);
    offscreen_.fill(background());
    const QRect target = ToQRect(pictureRect_);
    if (!target.isEmpty()) {
        const QSize devicePixels = (QSizeF(target.size()) * devicePixelRatio).toSize();
        imaging::Graphics graphics(offscreen_);
        if (zoom_) {
            // Pixels larger than the picture itself would only be a blown-up copy of it.
            graphics.drawImage(zoomPixels_.pixelsFor(*mapFileName_, devicePixels.boundedTo(mapPicture_->size()),
                                                     mapPicture_->pixels()),
                               target);
        } else {
            graphics.drawImage(mapPicture_->pixelsFor(devicePixels), target);
        }
    }
    offscreenStale_ = false;
}

void PLMapView::paintSpots(ui::DeviceContext& dc, const QRegion& region)
{
    com::ComPtr<IBaseSpotView> spotView;
    if (com::FAILED(com::CreateInstance(CLSID_PLMapSpotView, spotView))) return;
    com::ComPtr<IBaseSpot> spot;
    document_->FirstSpot(spot.put());
    while (spot) {
        // A spot wholly outside the repaint region would leave no pixel: it is not asked to draw.
        tagRECT bounds{}, area{};
        spot->GetBounds(&bounds);
        ConvertModelRectToAreaRect(&bounds, &area);
        if (region.intersects(ToQRect(area)))
            spotView->DrawSpot(identity(), spot.get(), &dc);
        spot.reset();
        document_->NextSpot(spot.put());
    }
}

void PLMapView::paintOverview(ui::DeviceContext& dc, const QRect& client)
{
    if (!hasContainingMap() || !containingMaps_.back().mapImage || containingMaps_.back().mapImage->empty())
        return;
    const bool fits = overviewPicture_ &&
                      (overviewPicture_->width() == kOverviewWidth || overviewPicture_->height() == kOverviewHeight);
    if (!fits) {
        overviewPicture_.reset();
        const QString path = ui::ToQString(*containingMaps_.back().mapImage);
        const QSize picture = imaging::Image::SizeOfFile(path);
        if (picture.isEmpty()) return;
        const double W = picture.width(), H = picture.height();
        const QSize thumbnail = double(kOverviewHeight) / kOverviewWidth < H / W
                                    ? QSize(int(W / (H / kOverviewHeight)), kOverviewHeight)
                                    : QSize(kOverviewWidth, int(H / (W / kOverviewWidth)));
        if (thumbnail.isEmpty()) return;
        imaging::Image made = imaging::Image::FromFile(path, thumbnail);
        if (made.size().isEmpty()) return;
        overviewPicture_ = std::move(made);
    }
    const QRect box(client.right() + 1 - kOverviewWidth, client.top(), kOverviewWidth, kOverviewHeight);
    const QRect shown(box.left() + (kOverviewWidth - overviewPicture_->width()) / 2,
                      box.top() + (kOverviewHeight - overviewPicture_->height()) / 2, overviewPicture_->width(),
                      overviewPicture_->height());
    dc.setClipRegion(QRegion(shown));
    {
        imaging::Graphics graphics(dc.painter());
        graphics.drawImage(*overviewPicture_, shown);
        // Centred on the edge, half of the line falls outside the clip: one pixel shows.
        graphics.drawRectangle(imaging::Pen(0xFF000000, 2), QRectF(shown));
    }
    dc.removeClip();
}

// --- Drops ----------------------------------------------------------------------------------

void PLMapView::dropFile(QPoint screenPoint, const QString& path)
{
    if (!document_ || !window_) return;
    com::ComPtr<PLMapView> self(this);
    // Creating the library's own objects fails only when memory runs out; the drop then ends there.
    com::Guarded([&] {
        dropFileOnWindow(window_->mapFromGlobal(screenPoint), path);
        return com::S_OK;
    });
    if (window_) window_->setFocus(Qt::OtherFocusReason);
}

void PLMapView::dropFileOnWindow(QPoint local, const QString& path)
{
    const tagPOINT area{local.x(), local.y()};
    const FileType kind = ClassifyFile(ui::ToView(path));
    if (!mapFileName_ || mapFileName_->isEmpty()) {
        switch (kind) {
        case kFileTypePicture: {
            com::Bstr name = ui::ToBstr(path);
            document_->SetMapFile(name.get());
            MarkDirty(*document_);
            auto action = com::CreateInstance<IUndoSetMapAction>(CLSID_PLUndoSetMapAction);
            com::BSTR argument = name.get();
            action->Initialize(document_.get(), &argument);
            mapview::RecordUndo(*document_, action.as<IUndoAction>().get());
            break;
        }
        case kFileTypeMap: {
            com::Bstr name = ui::ToBstr(path);
            com::BSTR argument = name.get();
            Fire(kOpenMapFile, &argument);
            break;
        }
        default:
            refuseDrop();
        }
    } else if (mapPicture_) {
        tagRECT bounds{};
        GetModelBounds(&bounds);
        tagPOINT model{};
        tagPOINT point = area;
        ConvertAreaPointToModelPoint(&point, &model);
        model = mapview::ClampPoint(model, bounds);
        switch (kind) {
        case kFileTypePicture: dropPicture(model, path); break;
        case kFileTypeSound: dropSound(model, path); break;
        case kFileTypeMap: dropLink(model, path); break;
        default: break;
        }
    }
}

tagRECT PLMapView::newSpotBounds(tagPOINT model)
{
    const tagPOINT centre = mapview::ModelPointToArea(fit(), model);
    tagRECT area{centre.x - kNewSpotHalfSize, centre.y - kNewSpotHalfSize, centre.x + kNewSpotHalfSize,
                 centre.y + kNewSpotHalfSize};
    tagRECT bounds{};
    ConvertAreaRectToModelRect(&area, &bounds);
    return bounds;
}

void PLMapView::dropPicture(tagPOINT model, const QString& path)
{
    com::ComPtr<IBaseSpot> hit;
    document_->SpotAtPoint(&model, hit.put());
    const com::ComPtr<IPhotoSpot> photoSpot = hit ? hit.tryAs<IPhotoSpot>() : com::ComPtr<IPhotoSpot>();
    if (hit && !photoSpot) return;
    mapview::AddPicture(*document_, photoSpot.get(), hit ? tagRECT{} : newSpotBounds(model), path);
}

void PLMapView::dropSound(tagPOINT model, const QString& path)
{
    com::ComPtr<IBaseSpot> hit;
    document_->SpotAtPoint(&model, hit.put());
    const auto photoSpot = hit ? hit.tryAs<IPhotoSpot>() : com::ComPtr<IPhotoSpot>();
    if (!photoSpot) {
        refuseDrop();
        return;
    }
    com::Bstr oldSound;
    photoSpot->GetAudioFile(oldSound.put());
    com::Bstr name = ui::ToBstr(path);
    com::BSTR argument = name.get();
    photoSpot->SetAudioFile(&argument);
    document_->PutCurrentSpot(hit.get());
    MarkDirty(*document_);
    auto action = com::CreateInstance<IUndoSetAudio>(CLSID_PLUndoSetAudio);
    com::BSTR old = oldSound.get();
    action->Initialize(photoSpot.get(), &old, &argument);
    mapview::RecordUndo(*document_, action.as<IUndoAction>().get());
}

void PLMapView::dropLink(tagPOINT model, const QString& path)
{
    com::ComPtr<IBaseSpot> hit;
    document_->SpotAtPoint(&model, hit.put());
    com::ComPtr<IMapSpot> mapSpot = hit ? hit.tryAs<IMapSpot>() : com::ComPtr<IMapSpot>();
    if (hit && !mapSpot) {
        refuseDrop();
        return;
    }
    com::Bstr name = ui::ToBstr(path);
    com::BSTR argument = name.get();
    if (!hit) {
        mapSpot = com::CreateInstance<IMapSpot>(CLSID_PLMapSpot);
        tagRECT bounds = newSpotBounds(model);
        mapSpot->InitSpot(&bounds, document_.as<com::IUnknown>().get());
        const auto spot = mapSpot.as<IBaseSpot>();
        document_->AddSpot(spot.get());
        auto create = com::CreateInstance<IUndoCreateAction>(CLSID_PLUndoCreateAction);
        create->Initialize(document_.get(), spot.get());
        mapview::RecordUndo(*document_, create.as<IUndoAction>().get());
    } else {
        com::Bstr oldLink;
        mapSpot->GetFileName(oldLink.put());
        com::BSTR old = oldLink.get();
        auto action = com::CreateInstance<IUndoSetMapSpotMap>(CLSID_PLUndoSetMapSpotMap);
        action->Initialize(mapSpot.get(), &old, &argument);
        mapview::RecordUndo(*document_, action.as<IUndoAction>().get());
    }
    mapSpot->SetFileName(&argument);
    document_->PutCurrentSpot(mapSpot.as<IBaseSpot>().get());
    MarkDirty(*document_);
}

void PLMapView::refuseDrop()
{
    shell::Services().playRefusedSound();
}
