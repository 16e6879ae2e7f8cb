#pragma once

#include "components/interfaces/records.h"

#include <QSize>

// The arithmetic of fitting a map picture into the map view's window, shared by drawing and by the
// coordinate conversions. Floating-point results are truncated toward zero; halving is integer
// division.
namespace mapview {

// Where the picture is drawn in a window of `client` size: never enlarged, centred, aspect kept.
// An empty picture or window gives an empty rectangle.
tagRECT FitPicture(QSize picture, QSize client);

// The fit the conversions evaluate afresh every time: factors model-to-area (k) and area-to-model
// (f), and the picture's offset in the window.
struct ViewFit {
    double areaToModel = 1.0;
    double modelToArea = 1.0;
    com::LONG offsetX = 0;
    com::LONG offsetY = 0;
    // A zero picture or window dimension: the factors stay 1 rather than divide by zero, and a model
    // rectangle converts to {0, 0, 0, 0}.
    bool degenerate = false;
};
ViewFit FitFor(QSize picture, QSize client);

tagPOINT AreaPointToModel(const ViewFit& fit, tagPOINT area);
tagPOINT ModelPointToArea(const ViewFit& fit, tagPOINT model);
// Right and bottom are the converted left and top plus the scaled width and height, so a
// rectangle keeps its size wherever it lies.
tagRECT AreaRectToModel(const ViewFit& fit, const tagRECT& area);
tagRECT ModelRectToArea(const ViewFit& fit, const tagRECT& model);

// `model` moved by one window pixel along each axis (dx, dy: -1, 0 or 1): its left and top edges go
// to the first model position the window shows one pixel further on, and it keeps its model width
// and height exactly, so that any number of nudges neither shrinks nor drifts it.
tagRECT NudgeModelRect(const ViewFit& fit, const tagRECT& model, com::LONG dx, com::LONG dy);

// Into [bounds.left, bounds.right] × [bounds.top, bounds.bottom], edges included.
tagPOINT ClampPoint(tagPOINT point, const tagRECT& bounds);

}  // namespace mapview
