// The printer as Qt knows it: which one to use, its own settings, and its figures in dots.
#pragma once

#include "printing/printer_figures.h"

#include <QPrinter>

namespace tavlo {

// Points a fresh printer at the system's default queue, or at the first one when no default is
// set, with that queue's own paper, printable area and resolution; with no queue at all, at PDF
// output (600 dpi) to a file named later. Returns true when a printer queue was found.
bool choosePrinter(QPrinter& printer);

// The queue's default resolution, where the scheduler names one (the printer keeps the
// resolution it has otherwise), and its whole printable area on the current paper: Qt would
// print within margins of its own.
void useQueueResolutionAndArea(QPrinter& printer);

// The printer's resolution, sheet, printable area and its offset, in dots, and its name. Qt has
// no printer scale: always 100.
tavlo::PrinterFigures queryPrinter(const QPrinter& printer);

// The name shown for PDF output.
inline constexpr char kPdfDeviceName[] = "PDF ファイル";

} // namespace tavlo
