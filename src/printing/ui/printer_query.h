// The printer as Qt knows it: which one to use, and its figures in printer dots.
#pragma once

#include "printing/printer_figures.h"

#include <QPrinter>

namespace tavlo {

// True when the system has at least one printer queue.
bool systemHasPrinter();

// Points a fresh printer at the system's default queue, or at the first one when no default is
// set; with no queue at all, at PDF output (600 dpi) to a file named later. Returns true when a
// printer queue was found.
bool choosePrinter(QPrinter& printer);

// True for PDF output, and for a queue the system still lists: a job for a queue that was
// removed, or while the scheduler is stopped, would be dropped without a word.
bool printerReachable(const QPrinter& printer);

// The printer's resolution, sheet, printable area and its offset, in dots, and its name. Qt has
// no printer scale: always 100.
tavlo::PrinterFigures queryPrinter(const QPrinter& printer);

// The name shown for PDF output.
inline constexpr char kPdfDeviceName[] = "PDF ファイル";

} // namespace tavlo
