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
// every edge and each quadrant shows exactly its colour; otherwise what differs.
QString checkPrintedPage(const QImage& page, QRect expected);

// Empty when the picture the PDF holds (its bands stacked, as pdfimages extracts them) is, dot
// for dot, the pixel of `image` that the colour-on-colour stretch puts there; otherwise what
// differs. A lossy copy fails at the quadrants' borders. The rasterised page cannot show this:
// the rasteriser resamples an image placed a fraction of a dot off its grid.
QString checkEmbeddedImage(const QString& pdf, const tavlo::Bitmap& image);

// Rasterises `area` (pixels at `dpi`) of the first page of a PDF with pdftoppm, without smoothing,
// so that a sheet at a fine resolution need not be held whole. Null when pdftoppm is missing or
// fails.
QImage rasterisePdf(const QString& pdf, int dpi, QRect area);

// Rasterises the neighbourhood of `expected` and checks it there (see checkPrintedPage), then
// checks the embedded picture (see checkEmbeddedImage).
QString checkPrintedPdf(const QString& pdf, int dpi, QRect expected, const tavlo::Bitmap& image);
