#include "components/browser/pl_tool_palette.h"

#include "components/browser/tool_palette_link.h"
#include "components/browser/tool_palette_window.h"
#include "components/interfaces/class_ids.h"
#include "platform/com/runtime.h"
#include "platform/shell/shell_services.h"
#include "platform/ui/dialog_units.h"
#include "platform/ui/qt_strings.h"

#include <QFontMetrics>
#include <QPushButton>
#include <algorithm>

namespace {

constexpr int kMinimumWidth = 200;
constexpr int kMinimumHeight = 28;
constexpr int kMeasuredCharacters = 63;

constexpr char16_t kFolderPrompt[] = u"Choose a folder with maps or pictures.";

}  // namespace

PLToolPalette::PLToolPalette()
{
    replaceTool(CLSID_PLEditTool, true);
}

PLToolPalette::~PLToolPalette()
{
    delete window_.data();
}

void PLToolPalette::replaceTool(const com::CLSID& toolClass, bool givePalette)
{
    currentTool_.reset();
    com::ComPtr<IBaseTool> tool;
    if (com::FAILED(com::CreateInstance(toolClass, tool))) return;
    currentTool_ = tool;
    if (givePalette) {
        const auto link = com::Make<ToolPaletteLink>(static_cast<IToolPalette*>(this));
        currentTool_->SetToolPalette(link->identity());
    }
}

com::HRESULT PLToolPalette::GetCurrentTool(IBaseTool** pVal) noexcept
{
    if (!pVal) return com::E_POINTER;
    *pVal = com::ComPtr<IBaseTool>(currentTool_).detach();
    return com::S_OK;
}

com::HRESULT PLToolPalette::SetTableControl(ITableControl* inTableControl) noexcept
{
    tableControl_ = com::ComPtr<ITableControl>(inTableControl);
    if (tableControl_) tableControl_->SetToolPalette(static_cast<IToolPalette*>(this));
    return com::S_OK;
}

com::HRESULT PLToolPalette::StartSlideShow() noexcept
{
    Fire(kBroadcastStartSlideShow);
    return com::S_OK;
}

com::HRESULT PLToolPalette::OpenMap(com::BSTR* inFileName) noexcept
{
    Fire(kBroadcastOpenMap, inFileName);
    return com::S_OK;
}

com::HRESULT PLToolPalette::GetTableControl(ITableControl** outTableControl) noexcept
{
    if (!outTableControl) return com::E_POINTER;
    *outTableControl = com::ComPtr<ITableControl>(tableControl_).detach();
    return com::S_OK;
}

com::HRESULT PLToolPalette::FileSelected(com::BSTR* inFileName) noexcept
{
    Fire(kBroadcastFileSelected, inFileName);
    return com::S_OK;
}

com::HRESULT PLToolPalette::UseAsMapPicture(com::BSTR* inFileName) noexcept
{
    Fire(kBroadcastUseAsMapPicture, inFileName);
    return com::S_OK;
}

com::HRESULT PLToolPalette::EnableUpBtn(com::LONG inEnable) noexcept
{
    if (window_) window_->upButton().setEnabled(inEnable != 0);
    return com::S_OK;
}

com::HRESULT PLToolPalette::GetBestSize(com::LONG* outBestX, com::LONG* outBestY) noexcept
{
    if (!outBestX || !outBestY) return com::E_POINTER;
    return com::Guarded([&] {
        int widths = 0, heights = 0;
        const auto measure = [&](const QString& text, const QFont& font) {
            const QFontMetrics metrics(font);
            const QString measured = text.left(kMeasuredCharacters);
            widths += metrics.horizontalAdvance(measured);
            heights += metrics.height();
        };
        if (window_) {
            for (QPushButton* button : {&window_->upButton(), &window_->browseButton()})
                measure(button->text(), button->font());
        } else {
            measure(QStringLiteral("Go Up a Folder"), ui::DialogFont(8));
            measure(QStringLiteral("Browse for Folder"), ui::DialogFont(8));
        }
        *outBestX = std::max(kMinimumWidth, widths);
        *outBestY = std::max(kMinimumHeight, heights);
        return com::S_OK;
    });
}

com::HRESULT PLToolPalette::Browse() noexcept
{
    return com::Guarded([&] {
        // The dialog runs events: the palette stays alive until it is done.
        const com::ComPtr<IToolPalette> self(static_cast<IToolPalette*>(this));
        // The browser starts where it is.
        com::Bstr shown;
        if (tableControl_) tableControl_->GetDirectory(shown.put());
        const std::optional<QString> folder =
            shell::Services().folderName(window_.data(), QString::fromUtf16(kFolderPrompt), ui::ToQString(shown.get()));
        if (!folder || !tableControl_) return com::S_OK;
        auto factory = com::CreateInstance<IImageCellFactory>(CLSID_PLImageCellFactory);
        const com::Bstr name = ui::ToBstr(*folder);
        factory->SetDirectory(name.get());
        tableControl_->SetCellFactory(factory.as<ICellFactory>().get());
        return com::S_OK;
    });
}

void PLToolPalette::onCommand(int command)
{
    switch (command) {
    case kGoUpCommand:
        if (tableControl_) tableControl_->GoUp();
        break;
    case kBrowseCommand:
        Browse();
        break;
    case kAddPhotoCommand:
        replaceTool(CLSID_PLPhotoTool, false);
        Fire(kToolChanged);
        break;
    case kEditCommand:
        replaceTool(CLSID_PLEditTool, true);
        Fire(kToolChanged);
        break;
    }
}

com::HRESULT PLToolPalette::CreateControlWindow(QWidget* host) noexcept
{
    if (!host) return com::E_POINTER;
    if (window_) return com::E_UNEXPECTED;
    return com::Guarded([&] {
        window_ = new browser::ToolPaletteWindow(*this, *host);
        ui::FillHost(*host, *window_);
        return com::S_OK;
    });
}

QWidget* PLToolPalette::ControlWindow() noexcept
{
    return window_.data();
}
