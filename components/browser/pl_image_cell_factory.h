#pragma once

#include "components/interfaces/cell_factory.h"
#include "platform/com/bstr.h"
#include "platform/com/implements.h"

#include <QString>
#include <cstddef>
#include <vector>

// Lists one folder for the file browser: its pictures, maps and sounds (by the extension of their
// names, whatever its case) and its sub-folders, skipping dot-files, all in one order by the user's
// locale, and hands out a cell for each. The user's desktop also lists the documents folder. The
// folder is read by its whole path; the process's current directory is left alone.
//
// Thread: the user-interface thread.
class PLImageCellFactory final : public com::Implements<PLImageCellFactory, IImageCellFactory, ICellFactory> {
public:
    PLImageCellFactory() = default;

    // Lists the folder in place of any earlier one. S_FALSE, with no cells, when it cannot be read.
    com::HRESULT SetDirectory(com::BSTR inDirectory) noexcept override;
    com::HRESULT GetDirectory(com::BSTR* outDirectoryName) noexcept override;
    // A null cell after the last one.
    com::HRESULT NextCell(ITableCell** outCell) noexcept override;

private:
    ~PLImageCellFactory() override = default;

    com::Bstr directory_;
    std::vector<QString> entries_;
    std::size_t cursor_ = 0;
};
