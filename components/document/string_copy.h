#pragma once

#include "platform/com/bstr.h"

#include <new>

namespace document {

// A copy of a component's string argument, null for null. Bstr's own copy gives null when memory
// runs out, which would silently turn a name into "none"; this throws std::bad_alloc instead, so
// that com::Guarded answers E_OUTOFMEMORY and the operation changes nothing.
inline com::Bstr CopyString(com::BSTR value)
{
    com::Bstr copy = com::Bstr::Attach(com::Bstr::Copy(value));
    if (value && copy.isNull()) throw std::bad_alloc();
    return copy;
}

}  // namespace document
