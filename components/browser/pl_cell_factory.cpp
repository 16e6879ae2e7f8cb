#include "components/browser/pl_cell_factory.h"

com::HRESULT PLCellFactory::NextCell(ITableCell**) noexcept
{
    return com::S_OK;
}
