// One printed page: the image stretched colour on colour into a rectangle of printer dots.
#pragma once

#include "document/bitmap.h"
#include "printing/print_rectangle.h"

#include <QPainter>
#include <QPrinter>
#include <QString>

namespace tavlo {

// Begins a document on the printer, fills the rectangle black and draws the image into it, and
// ends the document on every path. Throws PrintFailure when the printer would not start or
// finish, and passes on what the drawing throws.
void printPage(QPrinter& printer, const tavlo::Bitmap& image, tavlo::DotRect rectangle);

// Draws `image` stretched to `rectangle` (dots from the page's origin), only where it meets
// `page`, in bands of rows so that the stretched image never exists whole. Each dot takes the
// source pixel i × size div stretched size, as a colour-on-colour stretch does.
void drawStretched(QPainter& painter, tavlo::DotRect rectangle, QRect page,
                   const tavlo::Bitmap& image);

} // namespace tavlo
