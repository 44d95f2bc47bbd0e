// The tone-curve dialog's graph: a shaded diagonal, a grid every 32 levels, and the curve.
#pragma once

#include "tone/tone_parameters.h"

#include <QImage>

namespace tavlo {

// Pixels of the graph per level: the graph's width / 255, in single precision.
float curveGraphScale(int graphWidth);

// White ground, the area under the identity diagonal in silver, the black grid and
// the outline.
void drawCurveGrid(QImage& graph, float scale);

// The grid, then the curve in the colour of its channel (none while P2 or P3 is 0).
void drawCurve(QImage& graph, float scale, const tavlo::ToneCurve& curve);

} // namespace tavlo
