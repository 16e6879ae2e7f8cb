#pragma once

#include "platform/com/hresult.h"

#include <array>
#include <string_view>

// Kinds of file, decided by the last four characters of a name, which must begin with "." and are
// compared without regard to case: ".jpg" is a picture, ".JPG" too, ".jpeg" and ".jp" are not.
enum FileType : com::LONG {
    kFileTypeOther = 0,
    kFileTypePicture = 1,
    kFileTypeMap = 2,
    kFileTypeSound = 3,
};

// A whole path or a bare name.
inline FileType ClassifyFile(std::u16string_view path)
{
    struct Extension {
        char16_t text[5];
        FileType type;
    };
    static constexpr std::array<Extension, 12> kExtensions{{
        {u".jpg", kFileTypePicture}, {u".tif", kFileTypePicture}, {u".bmp", kFileTypePicture},
        {u".gif", kFileTypePicture}, {u".png", kFileTypePicture}, {u".wmf", kFileTypePicture},
        {u".emf", kFileTypePicture}, {u".icn", kFileTypePicture}, {u".plm", kFileTypeMap},
        {u".wav", kFileTypeSound},   {u".mp3", kFileTypeSound},   {u".avi", kFileTypeSound},
    }};
    if (path.size() < 4) return kFileTypeOther;
    char16_t last[4];
    for (std::size_t i = 0; i < 4; ++i) {
        const char16_t c = path[path.size() - 4 + i];
        last[i] = c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
    }
    for (const Extension& extension : kExtensions)
        if (std::u16string_view(last, 4) == std::u16string_view(extension.text, 4)) return extension.type;
    return kFileTypeOther;
}
