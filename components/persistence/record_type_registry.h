#pragma once

#include "platform/com/guid.h"
#include "platform/com/variant.h"

namespace persistence {

// The record types that stored files may hold, found by the identifiers written beside a stored
// record: its own GUID and its type library's identifier, version and locale. Null for a record
// type this library does not know.
const com::RecordType* FindRecordType(const com::GUID& recordId, const com::GUID& libraryId, com::WORD majorVersion,
                                      com::WORD minorVersion, com::DWORD locale);

}  // namespace persistence
