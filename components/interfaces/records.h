#pragma once

#include "components/interfaces/type_library.h"
#include "platform/com/variant.h"

#include <cstddef>

// The platform's point and rectangle, carried through dispatch as records of the "Components" type
// library. Right and bottom edges are outside the rectangle.
struct tagPOINT {
    com::LONG x;
    com::LONG y;
};

struct tagRECT {
    com::LONG left;
    com::LONG top;
    com::LONG right;
    com::LONG bottom;
};

inline const com::RecordType& RecordTypeOf(const tagPOINT*)
{
    static constexpr com::RecordField fields[] = {
        {u"x", com::VT_I4, offsetof(tagPOINT, x)},
        {u"y", com::VT_I4, offsetof(tagPOINT, y)},
    };
    static constexpr com::RecordType type{com::MakeGuid("{6A3B2D41-5C8E-4F0B-9D7A-1E2F3A4B5C61}"), u"tagPOINT",
                                          sizeof(tagPOINT), fields, 2, LIBID_Components,
                                          kComponentsLibraryMajorVersion, kComponentsLibraryMinorVersion,
                                          kComponentsLibraryLocale};
    return type;
}

inline const com::RecordType& RecordTypeOf(const tagRECT*)
{
    static constexpr com::RecordField fields[] = {
        {u"left", com::VT_I4, offsetof(tagRECT, left)},
        {u"top", com::VT_I4, offsetof(tagRECT, top)},
        {u"right", com::VT_I4, offsetof(tagRECT, right)},
        {u"bottom", com::VT_I4, offsetof(tagRECT, bottom)},
    };
    static constexpr com::RecordType type{com::MakeGuid("{6A3B2D42-5C8E-4F0B-9D7A-1E2F3A4B5C62}"), u"tagRECT",
                                          sizeof(tagRECT), fields, 4, LIBID_Components,
                                          kComponentsLibraryMajorVersion, kComponentsLibraryMinorVersion,
                                          kComponentsLibraryLocale};
    return type;
}

constexpr bool operator==(const tagPOINT& a, const tagPOINT& b)
{
    return a.x == b.x && a.y == b.y;
}

constexpr bool operator==(const tagRECT& a, const tagRECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
