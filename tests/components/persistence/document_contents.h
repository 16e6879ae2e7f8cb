#pragma once

#include "components/interfaces/document.h"

#include <ostream>
#include <string>
#include <vector>

namespace persistence_test {

// What a document file keeps of a document, read through the document's interfaces, for comparing
// a document with the one loaded back from its file.
struct DocumentContents {
    struct Spot {
        std::string kind;
        tagRECT bounds{};
        std::vector<std::u16string> pictures;
        std::u16string audio;
        bool hasAudio = false;
        std::u16string linkedMap;
        friend bool operator==(const Spot&, const Spot&) = default;
    };
    std::u16string mapFile;
    std::vector<Spot> spots;
    friend bool operator==(const DocumentContents&, const DocumentContents&) = default;

    static DocumentContents Of(const com::ComPtr<IDocument>& document);
};

void PrintTo(const DocumentContents& contents, std::ostream* out);

}  // namespace persistence_test
