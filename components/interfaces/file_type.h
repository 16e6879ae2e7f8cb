#pragma once

#include "platform/com/hresult.h"

#include <algorithm>
#include <array>
#include <string_view>

// Kinds of file, decided by the extension at the end of a name: its last four characters, which must
// begin with ".", or its last five for the formats whose extension is that long (phones' ".heic" and
// ".heif", ".avif", ".webp"); compared without regard to case: ".jpg" is a picture, ".JPG" and
// ".HEIC" too, ".jpeg" and ".jp" are not.
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
        std::u16string_view text;
        FileType type;
    };
    static constexpr std::array<Extension, 16> kExtensions{{
        {u".jpg", kFileTypePicture},  {u".tif", kFileTypePicture},  {u".bmp", kFileTypePicture},
        {u".gif", kFileTypePicture},  {u".png", kFileTypePicture},  {u".wmf", kFileTypePicture},
        {u".emf", kFileTypePicture},  {u".icn", kFileTypePicture},  {u".heic", kFileTypePicture},
        {u".heif", kFileTypePicture}, {u".avif", kFileTypePicture}, {u".webp", kFileTypePicture},
        {u".plm", kFileTypeMap},      {u".wav", kFileTypeSound},    {u".mp3", kFileTypeSound},
        {u".avi", kFileTypeSound},
    }};
    for (const Extension& extension : kExtensions) {
        const std::size_t length = extension.text.size();
        if (path.size() < length) continue;
        const std::u16string_view end = path.substr(path.size() - length);
        const bool same = std::equal(end.begin(), end.end(), extension.text.begin(), [](char16_t c, char16_t lower) {
            return (c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c) == lower;
        });
        if (same) return extension.type;
    }
    return kFileTypeOther;
}
