#include "components/document/story_text.h"

#include <new>
#include <string>

namespace document {

namespace {

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

bool isXmlCharacter(char16_t c)
{
    if (c < 0x20) return c == u'\t' || c == u'\n' || c == u'\r';
    return c != 0xFFFE && c != 0xFFFF;
}

}  // namespace

com::Bstr StoryText(com::BSTR words)
{
    const std::u16string_view text = com::View(words);
    std::u16string kept;
    kept.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (isHighSurrogate(c)) {
            if (i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
                kept.push_back(c);
                kept.push_back(text[++i]);
            }
        } else if (!isLowSurrogate(c) && isXmlCharacter(c)) {
            kept.push_back(c);
        }
    }
    com::Bstr copy(kept);
    if (copy.isNull()) throw std::bad_alloc();
    return copy;
}

}  // namespace document
