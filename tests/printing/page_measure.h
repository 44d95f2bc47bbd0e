// Checks a printed page, rasterised at the printer's resolution, for the known test image.
#pragma once

#include "document/bitmap.h"

#include <QImage>
#include <QRect>
#include <QString>

// Four quadrants, red, green, blue and black, that every rasteriser keeps apart from white paper.
tavlo::Bitmap knownPrintImage(int width, int height);

// The smallest rectangle holding every pixel with a channel below 160; null for a blank page.
QRect inkBox(const QImage& page);

// Empty when the ink sits at `expected` (sheet dots, right and bottom excluded) within one dot on
// every edge and each quadrant shows its colour; otherwise what differs.
QString checkPrintedPage(const QImage& page, QRect expected);

// Rasterises `area` (pixels at `dpi`) of the first page of a PDF with pdftoppm, without smoothing,
// so that a sheet at a fine resolution need not be held whole. Null when pdftoppm is missing or
// fails.
QImage rasterisePdf(const QString& pdf, int dpi, QRect area);

// Rasterises the neighbourhood of `expected` and checks it there (see checkPrintedPage).
QString checkPrintedPdf(const QString& pdf, int dpi, QRect expected);
