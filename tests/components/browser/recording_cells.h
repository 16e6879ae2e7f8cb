#pragma once

#include "components/interfaces/table_cell.h"
#include "components/interfaces/table_control.h"
#include "platform/com/bstr.h"
#include "platform/com/implements.h"
#include "platform/ui/qt_strings.h"

#include <QColor>
#include <QString>
#include <vector>

namespace test_support {

// A cell of a given path that fills its rectangle with one colour and remembers where it was drawn.
class RecordingCell final : public com::Implements<RecordingCell, ITableCell> {
public:
    RecordingCell(const QString& path, bool isDirectory, QColor colour = Qt::gray)
        : path_(path), isDirectory_(isDirectory), colour_(colour) {}

    com::HRESULT DrawCell(ui::HDC hdc, tagRECT* rect) noexcept override
    {
        drawn.push_back(*rect);
        hdc->fillRect(QRect(QPoint(rect->left, rect->top), QPoint(rect->right - 1, rect->bottom - 1)),
                      ui::Rgb(colour_.red(), colour_.green(), colour_.blue()));
        return com::S_OK;
    }
    com::HRESULT SetSelected(com::VARIANT_BOOL inSelected) noexcept override { selected_ = inSelected; return com::S_OK; }
    com::HRESULT GetSelected(com::VARIANT_BOOL* out) noexcept override { *out = selected_; return com::S_OK; }
    com::HRESULT GetFileName(com::BSTR* out) noexcept override { *out = ui::ToBstr(path_).detach(); return com::S_OK; }
    com::HRESULT GetIsDirectory(com::VARIANT_BOOL* out) noexcept override
    {
        *out = isDirectory_ ? com::VARIANT_TRUE : com::VARIANT_FALSE;
        return com::S_OK;
    }
    com::HRESULT SetIsDirectory(com::VARIANT_BOOL) noexcept override { return com::S_OK; }
    com::HRESULT GetFileType(com::LONG* out) noexcept override
    {
        *out = ClassifyFile(ui::ToView(path_));
        return com::S_OK;
    }

    bool selected() const { return selected_ != com::VARIANT_FALSE; }
    std::vector<tagRECT> drawn;

private:
    QString path_;
    bool isDirectory_;
    QColor colour_;
    com::VARIANT_BOOL selected_ = com::VARIANT_FALSE;
};

// Stands in for the table control behind a grid: records what the grid asks of it.
class RecordingTableControl final : public com::Implements<RecordingTableControl, ITableControl> {
public:
    com::HRESULT SetCellFactory(ICellFactory* inCellFactory) noexcept override
    {
        com::ComPtr<IImageCellFactory> factory = com::ComPtr<ICellFactory>(inCellFactory).tryAs<IImageCellFactory>();
        com::Bstr folder;
        if (factory) factory->GetDirectory(folder.put());
        calls.push_back("SetCellFactory " + ui::ToQString(folder.get()));
        return com::S_OK;
    }
    com::HRESULT GetTableCells(ITableCells**) noexcept override { return com::S_OK; }
    com::HRESULT OnFileSelected(com::BSTR* inFileName) noexcept override
    {
        calls.push_back("OnFileSelected " + ui::ToQString(*inFileName));
        return com::S_OK;
    }
    com::HRESULT SetToolPalette(com::IUnknown*) noexcept override { return com::S_OK; }
    com::HRESULT GetDirectory(com::BSTR*) noexcept override { return com::S_OK; }
    com::HRESULT GoUp() noexcept override { calls.push_back("GoUp"); return com::S_OK; }
    com::HRESULT Browse() noexcept override { calls.push_back("Browse"); return com::S_OK; }
    com::HRESULT Refresh() noexcept override { calls.push_back("Refresh"); return com::S_OK; }
    com::HRESULT OnUseAsMapPicture(com::BSTR* inFileName) noexcept override
    {
        calls.push_back("OnUseAsMapPicture " + ui::ToQString(*inFileName));
        return com::S_OK;
    }

    std::vector<QString> calls;
};

}  // namespace test_support
