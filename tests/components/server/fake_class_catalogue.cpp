// A catalogue of two classes for the server's own code, built into a test program in place of the
// library's: one with its code, one without, which the library itself no longer has.
#include "components/browser/pl_table_cell.h"
#include "components/interfaces/class_ids.h"
#include "components/interfaces/interface_ids.h"
#include "components/server/class_catalogue.h"

#include <algorithm>

namespace components {

namespace {
const ClassEntry kClasses[] = {
    {"PLTableCell", "TableProject.TableCell.1", CLSID_PLTableCell, false, &com::ClassFactory<PLTableCell>::Instance},
    {"PLTableControl", "Components.TableControl.1", CLSID_PLTableControl, true, nullptr},
};
const InterfaceEntry kInterfaces[] = {
    {"ITableCell", IID_ITableCell},
};
}  // namespace

std::span<const ClassEntry> ClassCatalogue()
{
    return kClasses;
}

std::span<const InterfaceEntry> InterfaceCatalogue()
{
    return kInterfaces;
}

const ClassEntry* FindClass(const com::CLSID& classId)
{
    const auto found = std::find_if(std::begin(kClasses), std::end(kClasses),
                                    [&](const ClassEntry& entry) { return entry.classId == classId; });
    return found == std::end(kClasses) ? nullptr : found;
}

}  // namespace components
