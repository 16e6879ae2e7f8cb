#include "components/persistence/record_type_registry.h"

#include "components/interfaces/records.h"

namespace persistence {

const com::RecordType* FindRecordType(const com::GUID& recordId, const com::GUID& libraryId, com::WORD majorVersion,
                                      com::WORD minorVersion, com::DWORD locale)
{
    static const com::RecordType* const known[] = {
        &RecordTypeOf(static_cast<const tagPOINT*>(nullptr)),
        &RecordTypeOf(static_cast<const tagRECT*>(nullptr)),
    };
    for (const com::RecordType* type : known) {
        if (type->guid == recordId && type->libraryId == libraryId && type->majorVersion == majorVersion &&
            type->minorVersion == minorVersion && type->locale == locale)
            return type;
    }
    return nullptr;
}

}  // namespace persistence
