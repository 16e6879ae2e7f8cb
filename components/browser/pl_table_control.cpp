#include "components/browser/pl_table_control.h"

#include "components/browser/cell_refresh.h"
#include "components/browser/folder_watch.h"
#include "components/browser/last_directory.h"
#include "components/browser/table_control_window.h"
#include "components/document/string_copy.h"
#include "components/interfaces/class_ids.h"
#include "platform/com/runtime.h"
#include "platform/ui/qt_strings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QStandardPaths>

namespace {

constexpr char16_t kRoot[] = u"/";

// A factory that has read `folder`, and whether it could.
com::ComPtr<IImageCellFactory> ReadFolder(const QString& folder, com::HRESULT& result)
{
    auto factory = com::CreateInstance<IImageCellFactory>(CLSID_PLImageCellFactory);
    const com::Bstr name = ui::ToBstr(folder);
    result = factory->SetDirectory(name.get());
    return factory;
}

}  // namespace

PLTableControl::~PLTableControl()
{
    delete window_.data();
}

com::HRESULT PLTableControl::SetCellFactory(ICellFactory* inCellFactory) noexcept
{
    if (!inCellFactory) return com::S_OK;
    return com::Guarded([&] {
        const auto factory = com::ComPtr<ICellFactory>(inCellFactory).tryAs<IImageCellFactory>();
        if (!factory) return com::S_OK;
        com::Bstr folderName;
        factory->GetDirectory(folderName.put());
        const QString folder = ui::ToQString(folderName.get());
        if (directory_ && *directory_ == folder) return com::S_OK;
        // A folder removed since it was listed (or never there) is neither shown nor kept to come
        // back to: the browser stays where it is.
        if (!QFileInfo(folder).isDir()) return com::S_OK;
        if (grid_) {
            grid_->ClearCells();
            for (;;) {
                com::ComPtr<ITableCell> cell;
                inCellFactory->NextCell(cell.put());
                if (!cell) break;
                grid_->AddCell(cell.get());
            }
            grid_->CellFactoryChanged();
        }
        directory_ = folder;
        if (folderWatch_) folderWatch_->watch(folder);
        if (label_) {
            const QString name = folder.mid(folder.lastIndexOf(u'/') + 1);
            label_->setText(name.isEmpty() ? folder : name);
        }
        // The grid paints at once, so that the thumbnails of its first screen are being made while
        // the folder is stored: a registry commit waits for the disk, often longer than they take.
        if (gridControl_)
            if (const auto hosted = gridControl_.tryAs<ui::IHostedControl>(); hosted && hosted->ControlWindow())
                hosted->ControlWindow()->repaint();
        browser::WriteLastDirectory(folder);
        enableUpButton();
        return com::S_OK;
    });
}

void PLTableControl::enableUpButton()
{
    const auto palette = toolPalette_.lock();
    if (!palette) return;
    // The folders form one tree: only its root has no folder above it.
    const bool top = !directory_ || directory_->isEmpty() || *directory_ == QString::fromUtf16(kRoot);
    palette->EnableUpBtn(top ? 0 : 1);
}

com::HRESULT PLTableControl::GetTableCells(ITableCells** outTableCells) noexcept
{
    if (!outTableCells) return com::E_POINTER;
    *outTableCells = com::ComPtr<ITableCells>(grid_).detach();
    return com::S_OK;
}

com::HRESULT PLTableControl::OnFileSelected(com::BSTR* inFileName) noexcept
{
    if (const auto palette = toolPalette_.lock()) palette->FileSelected(inFileName);
    return com::S_OK;
}

com::HRESULT PLTableControl::SetToolPalette(com::IUnknown* inToolPalettePtr) noexcept
{
    toolPalette_.reset(inToolPalettePtr);
    // The palette joins after the first folder is shown: its up button must not wait for the next.
    if (directory_) enableUpButton();
    return com::S_OK;
}

com::HRESULT PLTableControl::GetDirectory(com::BSTR* outDirectory) noexcept
{
    if (!outDirectory) return com::E_POINTER;
    return com::Guarded([&] {
        *outDirectory = directory_ ? document::CopyString(ui::ToBstr(*directory_).get()).detach() : nullptr;
        return com::S_OK;
    });
}

com::HRESULT PLTableControl::GoUp() noexcept
{
    if (!directory_) return com::S_OK;
    return com::Guarded([&] {
        QString folder = *directory_;
        while (folder.size() > 1 && folder.endsWith(u'/')) folder.chop(1);
        if (folder.lastIndexOf(u'/') < 0 || folder == QString::fromUtf16(kRoot)) return com::S_OK;
        QString parent = folder.left(folder.lastIndexOf(u'/'));
        if (parent.isEmpty()) parent = QString::fromUtf16(kRoot);
        openFolder(parent);
        return com::S_OK;
    });
}

void PLTableControl::refreshFolder()
{
    if (!directory_) return;
    const auto refresh = gridControl_.tryAs<ICellRefresh>();
    if (!refresh) return;
    com::HRESULT ignored = com::S_OK;
    const auto factory = ReadFolder(*directory_, ignored);
    refresh->RefreshCells(factory.as<ICellFactory>().get());
}

com::HRESULT PLTableControl::Browse() noexcept
{
    if (const auto palette = toolPalette_.lock()) palette->Browse();
    return com::S_OK;
}

com::HRESULT PLTableControl::openFolder(const QString& folder)
{
    com::HRESULT result = com::S_OK;
    const auto factory = ReadFolder(folder, result);
    SetCellFactory(factory.as<ICellFactory>().get());
    return result;
}

void PLTableControl::openInitialFolder()
{
    const auto readable = [](const QString& folder) {
        com::HRESULT result = com::S_OK;
        auto factory = ReadFolder(folder, result);
        return result == com::S_OK ? factory : com::ComPtr<IImageCellFactory>();
    };
    com::ComPtr<IImageCellFactory> factory;
    if (const auto last = browser::ReadLastDirectory()) factory = readable(*last);
    if (!factory) factory = readable(QCoreApplication::applicationDirPath() + QStringLiteral("/tutorial/Pictures"));
    // Only folders that are there: a special folder the desktop names need not exist.
    for (const auto location : {QStandardPaths::PicturesLocation, QStandardPaths::DocumentsLocation,
                                QStandardPaths::DesktopLocation, QStandardPaths::HomeLocation}) {
        if (factory) break;
        const QString folder = QStandardPaths::writableLocation(location);
        if (folder.isEmpty() || !QFileInfo(folder).isDir()) continue;
        com::HRESULT ignored = com::S_OK;
        factory = ReadFolder(folder, ignored);
    }
    if (!factory) factory = readable(QString::fromUtf16(kRoot));
    if (factory) SetCellFactory(factory.as<ICellFactory>().get());
}

com::HRESULT PLTableControl::CreateControlWindow(QWidget* host) noexcept
{
    if (!host) return com::E_POINTER;
    if (window_) return com::E_UNEXPECTED;
    return com::Guarded([&] {
        auto* window = new browser::TableControlWindow(*host);
        window_ = window;
        label_ = &window->label();
        ui::FillHost(*host, *window);
        com::ThrowIfFailed(ui::HostControl(u"TableProject.TableCells.1", window->gridHost(), gridControl_));
        grid_ = gridControl_.as<ITableCells>();
        grid_->SetTableControl(static_cast<ITableControl*>(this));
        folderWatch_ = new browser::FolderWatch(window);
        QObject::connect(folderWatch_.data(), &browser::FolderWatch::changed, folderWatch_.data(),
                         [this] { refreshFolder(); });
        openInitialFolder();
        return com::S_OK;
    });
}

QWidget* PLTableControl::ControlWindow() noexcept
{
    return window_.data();
}
