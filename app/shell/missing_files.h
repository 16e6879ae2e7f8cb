#pragma once

#include "components/interfaces/document.h"

#include <QString>
#include <vector>

namespace shell {

// The files an opened map names that are not there, even where its folder's copy would hold them
// (the loader has already looked there): told in one message instead of showing white pictures.
class MissingFiles {
public:
    struct File {
        QString path;
        // Which part of the map names it: "the map picture", "spot 2", "spot 2's sound", ...
        QString namedBy;
    };

    static std::vector<File> Of(IDocument& document);

    // The message for the user: how many, and the first of them; empty when nothing is missing.
    static QString Message(const std::vector<File>& missing);
};

}  // namespace shell
