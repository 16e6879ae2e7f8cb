#pragma once

#include "components/interfaces/cell_factory.h"
#include "platform/com/implements.h"

// The plain cell factory: registered, and empty. NextCell answers S_OK and writes nothing.
//
// Thread: any.
class PLCellFactory final : public com::Implements<PLCellFactory, ICellFactory> {
public:
    com::HRESULT NextCell(ITableCell** outCell) noexcept override;

private:
    ~PLCellFactory() override = default;
};
