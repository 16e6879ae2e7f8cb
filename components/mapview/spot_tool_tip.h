#pragma once

#include <QString>

struct IBaseSpot;

namespace mapview {

// What hovering a spot tells: its title and the start of its text, as rich text in which the
// user's words stay words (escaped, line breaks kept). Empty for a spot without a story, so that
// no tooltip shows.
QString SpotToolTip(IBaseSpot& spot);

}  // namespace mapview
