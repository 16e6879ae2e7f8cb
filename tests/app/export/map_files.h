#pragma once

#include "components/interfaces/document.h"
#include "platform/com/com_ptr.h"

#include <QString>
#include <QStringList>

namespace export_test {

// Maps made through the component library, as the program makes them.
class MapFiles {
public:
    static com::ComPtr<IDocument> NewMap(const QString& mapPicture);
    static void AddPhotoSpot(IDocument* map, tagRECT bounds, const QStringList& pictures, const QString& sound = {});
    static void AddMapSpot(IDocument* map, tagRECT bounds, const QString& linkedMap);
    static void Save(IDocument* map, const QString& path);
};

}  // namespace export_test
