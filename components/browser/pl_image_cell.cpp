#include "components/browser/pl_image_cell.h"

#include "components/browser/cell_icons.h"
#include "components/browser/thumbnail_store.h"
#include "components/document/string_copy.h"
#include "imaging/brush.h"
#include "imaging/font.h"
#include "imaging/graphics.h"
#include "imaging/image.h"
#include "imaging/string_format.h"
#include "platform/ui/qt_strings.h"

using imaging::Brush;
using imaging::StringAlignment;
using imaging::StringFormat;

namespace {

constexpr quint32 kShadow = 0xA0000000;
constexpr quint32 kGold = 0xFFFFD11C;
constexpr quint32 kDarkRed = 0xFF320000;
constexpr quint32 kGlowCentre = 0xC8000032;
constexpr quint32 kGlowSurround = 0x00000000;

// The name shown under a cell: what follows the last separator, or the whole path without one.
QString LabelOf(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

// Text written over a one-pixel shadow, down and to the right.
void DrawShadowedString(imaging::Graphics& graphics, const QString& text, const imaging::Font& font,
                        quint32 colour, const QRectF& band, const StringFormat& format)
{
    graphics.drawString(text, font, Brush::Solid(kShadow), band.translated(1, 1), format);
    graphics.drawString(text, font, Brush::Solid(colour), band, format);
}

}  // namespace

PLImageCell::PLImageCell() : thumbnails_(browser::ThumbnailStore::Shared()) {}

PLImageCell::~PLImageCell() = default;

com::HRESULT PLImageCell::SetFile(com::BSTR inFileName) noexcept
{
    return com::Guarded([&] {
        fileName_ = document::CopyString(inFileName);
        fileType_ = inFileName ? ClassifyFile(com::View(inFileName)) : kFileTypeOther;
        return com::S_OK;
    });
}

com::HRESULT PLImageCell::DrawCell(ui::HDC hdc, tagRECT* rect) noexcept
{
    if (!hdc || !rect) return com::E_POINTER;
    return com::Guarded([&] {
        const int W = rect->right - rect->left, H = rect->bottom - rect->top;
        if (W <= 0 || H <= 0) return com::S_FALSE;
        const QString path = ui::ToQString(fileName_.get());
        QImage thumbnail;
        if (fileType_ == kFileTypePicture || fileType_ == kFileTypeMap) {
            // Made for the device's pixels, so a screen scaled to 200 % shows them sharp.
            const qreal devicePixelRatio = ui::PaintedPixelRatio(hdc->painter());
            thumbnail = thumbnails_->find(path, fileType_, (QSizeF(W, H) * devicePixelRatio).toSize()).image;
            thumbnail.setDevicePixelRatio(devicePixelRatio);
        } else if (fileType_ == kFileTypeSound) {
            thumbnail = browser::SoundIcon();
        } else if (isDirectory_) {
            thumbnail = browser::FolderIcon();
        }

        imaging::Graphics graphics(hdc->painter());
        const imaging::Font font(imaging::Font::GenericSansSerifFamily(), 12, {.bold = true}, imaging::FontUnit::Pixel);
        if (!thumbnail.isNull()) {
            const QSize shown = thumbnail.deviceIndependentSize().toSize();
            graphics.drawImage(imaging::Image::FromBitmap(thumbnail),
                               QRect(rect->left + (W - shown.width()) / 2, rect->top + (H - shown.height()) / 2,
                                     shown.width(), shown.height()));
            if (fileType_ == kFileTypeMap)
                DrawShadowedString(graphics, QStringLiteral("Pinlore Map"), font, kGold,
                                   QRectF(rect->left, rect->top + H / 4, W, H / 4),
                                   StringFormat(StringAlignment::Center, StringAlignment::Near));
        }

        const QRectF band(rect->left, rect->top + 3 * (H / 4), W, H / 4);
        const StringFormat centred(StringAlignment::Center, StringAlignment::Center);
        const QString label = LabelOf(path);
        const bool dark = fileType_ == kFileTypeSound || isDirectory_;
        if (fileType_ == kFileTypePicture || fileType_ == kFileTypeMap) {
            // A soft dark glow keeps the gold name readable over any picture.
            graphics.fillEllipse(Brush::PathGradient(band, kGlowCentre, kGlowSurround), band);
            DrawShadowedString(graphics, label, font, kGold, band, centred);
        } else {
            graphics.drawString(label, font, Brush::Solid(dark ? kDarkRed : kGold), band, centred);
        }
        return com::S_OK;
    });
}

com::HRESULT PLImageCell::SetSelected(com::VARIANT_BOOL inSelected) noexcept
{
    selected_ = inSelected;
    return com::S_OK;
}

com::HRESULT PLImageCell::GetSelected(com::VARIANT_BOOL* outSelected) noexcept
{
    if (!outSelected) return com::E_POINTER;
    *outSelected = selected_;
    return com::S_OK;
}

com::HRESULT PLImageCell::GetFileName(com::BSTR* oFileName) noexcept
{
    if (!oFileName) return com::S_OK;
    return com::Guarded([&] {
        *oFileName = document::CopyString(fileName_.get()).detach();
        return com::S_OK;
    });
}

com::HRESULT PLImageCell::GetIsDirectory(com::VARIANT_BOOL* outIsDirectory) noexcept
{
    if (!outIsDirectory) return com::E_POINTER;
    *outIsDirectory = isDirectory_;
    return com::S_OK;
}

com::HRESULT PLImageCell::SetIsDirectory(com::VARIANT_BOOL inIsDirectory) noexcept
{
    isDirectory_ = inIsDirectory;
    return com::S_OK;
}

com::HRESULT PLImageCell::GetFileType(com::LONG* outType) noexcept
{
    if (!outType) return com::E_POINTER;
    *outType = fileType_;
    return com::S_OK;
}
