#pragma once

#include "platform/ui/file_drop_target.h"

class PLSlideShowView;

namespace slideshow {

// Hands the files of a drop on the slide show to the view, which inserts the pictures among them
// into the spot on show. Where in the window they were dropped does not matter.
class SlideShowDropTarget final : public ui::FileDropTarget {
public:
    SlideShowDropTarget(PLSlideShowView& view, QWidget& window);

protected:
    void OnDrop(const QStringList& files, QPoint screenPoint) override;

private:
    PLSlideShowView& view_;
};

}  // namespace slideshow
