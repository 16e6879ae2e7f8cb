#pragma once

#include "platform/com/bstr.h"

#include <QString>

namespace ui {

// Both are UTF-16, so the characters cross unchanged. A null BSTR gives an empty QString.
inline QString ToQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}
inline QString ToQString(com::BSTR text)
{
    return ToQString(com::View(text));
}
inline com::Bstr ToBstr(const QString& text)
{
    return com::Bstr(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), text.size()));
}
inline std::u16string_view ToView(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

}  // namespace ui
