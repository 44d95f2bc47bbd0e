#include "tone/ui/curve_graph.h"

#include "tone/tone_curve.h"

#include <QPainter>

namespace tavlo {

namespace {

// levels × scale + 0.5 in extended precision, truncated: where the graph places a level.
int at(long double levels, float scale) {
    return static_cast<int>(levels * scale + 0.5L);
}

QColor channelColour(int channel) {
    switch (channel) {
    case 1:
        return QColor(255, 0, 0);
    case 2:
        return QColor(0, 128, 0);
    case 3:
        return QColor(0, 0, 255);
    default:
        return Qt::black;
    }
}

// A one-pixel line that leaves out its end point, as the canvas draws them.
void lineTo(QPainter& painter, QPoint from, QPoint to) {
    if (from == to) return;
    const QPoint step((to.x() > from.x()) - (to.x() < from.x()),
                      (to.y() > from.y()) - (to.y() < from.y()));
    painter.drawLine(from, to - step);
}

} // namespace

float curveGraphScale(int graphWidth) {
    return static_cast<float>(graphWidth) / 255;
}

void drawCurveGrid(QImage& graph, float scale) {
    QPainter painter(&graph);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int a = at(255, scale);
    painter.fillRect(0, 0, a + 3, a + 3, Qt::white);
    painter.setPen(QPen(QColor(192, 192, 192), 1));
    for (int i = 0; i <= 254; ++i) {
        const int b = at(i, scale);
        lineTo(painter, {b, a - b}, {b, a});
    }
    painter.setPen(QPen(Qt::black, 1));
    for (int i = 0; i <= 8; ++i) {
        const int c = at(32.0L * i, scale);
        lineTo(painter, {c, 0}, {c, a});
    }
    for (int i = 0; i <= 8; ++i) {
        const int c = at(32.0L * i, scale);
        lineTo(painter, {0, c}, {a, c});
    }
    painter.setPen(QPen(Qt::black, 2));
    const QPoint outline[] = {{0, 0}, {256, 0}, {256, 256}, {0, 256}, {0, 0}};
    painter.drawPolyline(outline, 5);
}

void drawCurve(QImage& graph, float scale, const tavlo::ToneCurve& curve) {
    drawCurveGrid(graph, scale);
    if (curve.points[1] == 0 || curve.points[2] == 0) return;
    QPainter painter(&graph);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(channelColour(curve.channel), 2));
    QPoint pen;
    for (int i = 0; i <= 255; ++i) {
        const int out = tavlo::toneCurveValue(curve, i);
        const QPoint next(at(i, scale), at(255 - out, scale));
        if (i > 0) painter.drawLine(pen, next);
        pen = next;
    }
}

} // namespace tavlo
