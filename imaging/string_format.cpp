#include "imaging/string_format.h"

namespace imaging {

namespace {

int horizontalFlag(StringAlignment alignment)
{
    switch (alignment) {
    case StringAlignment::Near:
        return Qt::AlignLeft;
    case StringAlignment::Center:
        return Qt::AlignHCenter;
    case StringAlignment::Far:
        return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

int verticalFlag(StringAlignment alignment)
{
    switch (alignment) {
    case StringAlignment::Near:
        return Qt::AlignTop;
    case StringAlignment::Center:
        return Qt::AlignVCenter;
    case StringAlignment::Far:
        return Qt::AlignBottom;
    }
    return Qt::AlignTop;
}

}  // namespace

StringFormat::StringFormat(StringAlignment horizontal, StringAlignment vertical)
    : flags_(horizontalFlag(horizontal) | verticalFlag(vertical) | Qt::TextWordWrap)
{
}

}  // namespace imaging
