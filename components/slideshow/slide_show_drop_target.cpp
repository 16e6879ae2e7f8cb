#include "components/slideshow/slide_show_drop_target.h"

#include "components/slideshow/pl_slide_show_view.h"

namespace slideshow {

SlideShowDropTarget::SlideShowDropTarget(PLSlideShowView& view, QWidget& window)
    : FileDropTarget(window), view_(view)
{
}

void SlideShowDropTarget::OnDrop(const QStringList& files, QPoint)
{
    view_.onDrop(files);
}

}  // namespace slideshow
