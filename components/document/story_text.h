#pragma once

#include "platform/com/bstr.h"

namespace document {

// A copy of words a user gave a spot, without the characters an XML 1.0 file cannot hold (control
// characters other than tab, line feed and carriage return; unpaired surrogates; U+FFFE and U+FFFF):
// what is kept saves and reads back exactly. Never null: no words are an empty string. Throws
// std::bad_alloc when the copy cannot be made.
com::Bstr StoryText(com::BSTR words);

}  // namespace document
