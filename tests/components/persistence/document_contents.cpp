#include "tests/components/persistence/document_contents.h"

#include "components/interfaces/map_spot.h"
#include "components/interfaces/photo_spot.h"

using namespace com;

namespace persistence_test {

DocumentContents DocumentContents::Of(const ComPtr<IDocument>& document)
{
    DocumentContents contents;
    Bstr mapFile;
    document->GetMapFile(mapFile.put());
    contents.mapFile = mapFile.view();
    LONG count = 0;
    document->GetNumSpots(&count);
    for (LONG i = 0; i < count; ++i) {
        ComPtr<IBaseSpot> base;
        document->SpotAtIndex(i, base.put());
        Spot spot;
        base->GetBounds(&spot.bounds);
        if (const auto photo = base.tryAs<IPhotoSpot>()) {
            spot.kind = "photo";
            LONG pictures = 0;
            photo->NumImages(&pictures);
            for (LONG p = 0; p < pictures; ++p) {
                photo->SetIndex(p);
                Bstr picture;
                photo->CurrentImage(picture.put());
                spot.pictures.emplace_back(picture.view());
            }
            photo->SetIndex(0);
            Bstr audio;
            photo->GetAudioFile(audio.put());
            spot.hasAudio = !audio.isNull() && audio.length() > 0;
            spot.audio = audio.view();
        } else if (const auto link = base.tryAs<IMapSpot>()) {
            spot.kind = "map";
            Bstr linked;
            link->GetFileName(linked.put());
            spot.linkedMap = linked.view();
        }
        contents.spots.push_back(std::move(spot));
    }
    return contents;
}

void PrintTo(const DocumentContents& contents, std::ostream* out)
{
    *out << "map " << Utf16ToUtf8(contents.mapFile) << ", " << contents.spots.size() << " spots:";
    for (const DocumentContents::Spot& spot : contents.spots) {
        *out << " [" << spot.kind << " " << spot.bounds.left << "," << spot.bounds.top << "," << spot.bounds.right << ","
             << spot.bounds.bottom << " pictures " << spot.pictures.size() << " audio '" << Utf16ToUtf8(spot.audio)
             << "' map '" << Utf16ToUtf8(spot.linkedMap) << "']";
    }
}

}  // namespace persistence_test
