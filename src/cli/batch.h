// Many inputs at once: `tavlo-cli INPUT ... [OP ...] --out-dir DIR` runs the one-file command on
// every input, the files spread over the worker threads.
#pragma once

#include "cli_options.h"

#include <functional>
#include <ostream>

namespace tavlo::cli {

// Where the calling thread's error messages go: stderr, or during a batch the file's own buffer,
// so that each failure reaches the terminal as one whole line.
std::ostream& errorStream();

// Runs runOne on a copy of the options for each input, with the output set to DIR/NAME: the
// input's name with .bmp when --bits is given, .jpg when --quality is, else its own extension.
// Keeps going past failures, reports each as one line "tavlo-cli: INPUT: message", shows
// progress when stderr is a terminal, and returns the highest status any file ended with.
int runBatch(const Options& options, const std::function<int(const Options&)>& runOne);

} // namespace tavlo::cli
