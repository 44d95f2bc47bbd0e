// tavlo-cli: loads an image as the program does, applies operations with the program's own
// code, prints the status-bar texts and saves as the save commands do.
#include "batch.h"
#include "cli_options.h"
#include "document/document.h"
#include "document/image_file_type.h"
#include "document/large_buffer.h"
#include "document/texts.h"
#include "document/worker_pool.h"
#include "filters/histogram.h"
#include "operations/operation_table.h"

#include <algorithm>
#include <iostream>
#include <new>

namespace {

using namespace tavlo::cli;

int fail(int status, const std::string& message) {
    tavlo::cli::errorStream() << "tavlo-cli: " << message << '\n';
    return status;
}

// A result above the pixel limit and a lack of memory are refusals of the request, neither a
// mistyped command nor a bad input; `what` names the step that asked too much.
template <class Step> int refusingLimits(const std::string& what, Step&& step) {
    try {
        return step();
    } catch (const tavlo::PixelLimitError& e) {
        return fail(Refused, what + ": " + e.what());
    } catch (const std::bad_alloc&) {
        return fail(Refused, what + ": out of memory");
    }
}

// The message box breaks lines with LF CR; a terminal wants plain line feeds.
std::string forTerminal(std::string_view message) {
    std::string text(message);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

int loadInput(tavlo::Document& document, const std::string& input) {
    document.sourcePath = input;
    switch (document.loadImageFile()) {
    case tavlo::LoadOutcome::Loaded:
        return Done;
    case tavlo::LoadOutcome::RefusedExtension:
        return fail(InputFailure, input + ": not a .jpg, .jpeg, .jpe or .bmp file");
    case tavlo::LoadOutcome::InvalidImage:
        return fail(InputFailure, input + ": invalid image: " + document.error);
    case tavlo::LoadOutcome::CannotRead:
        return fail(InputFailure, document.error);
    }
    return fail(InputFailure, input + ": cannot load");
}

int save(tavlo::Document& document, const std::string& output) {
    switch (tavlo::imageFileType(output) == tavlo::ImageFileType::Jpeg ? document.saveJpeg(output)
                                                                       : document.saveBmp(output)) {
    case tavlo::SaveOutcome::Saved:
        return Done;
    case tavlo::SaveOutcome::BadExtension:
        return fail(UsageFailure, output + ": " + std::string(tavlo::kBadExtensionMessage));
    case tavlo::SaveOutcome::WriteFailed:
        return fail(OutputFailure, document.error);
    }
    return fail(OutputFailure, output + ": cannot write");
}

// As the main window runs a command: the operation, then the redraw that refreshes the size and
// ratio panels.
int runOperation(tavlo::Document& document, const tavlo::cli::OperationCall& call) {
    try {
        const auto status = tavlo::findOperation(call.name)->run(document, call.argument);
        if (status == tavlo::OperationStatus::UnsupportedFormat) {
            tavlo::cli::errorStream() << forTerminal(tavlo::kUnsupportedFormatMessage) << '\n';
            return Refused;
        }
    } catch (const tavlo::OperationArgumentError& e) {
        return fail(UsageFailure, call.name + ": " + e.what());
    }
    document.modified = true;
    document.setDisplayScale(document.displayScale);
    return Done;
}

int run(const tavlo::cli::Options& options) {
    tavlo::Document document;
    document.keepsUndoCopy = false; // nothing can undo here
    document.jpegQuality = options.quality;
    document.setBmpSaveFormat(options.bits);
    document.uprightOnLoad = !options.asStored;
    document.keepMetadata = !options.noMetadata;
    document.losslessTurns = !options.reencode;
    if (const int status = refusingLimits(
            options.inputs.front(), [&] { return loadInput(document, options.inputs.front()); });
        status != Done)
        return status;
    for (const auto& call : options.operations) {
        const std::string word =
            call.argument.empty() ? call.name : call.name + ":" + call.argument;
        if (const int status = refusingLimits(word, [&] { return runOperation(document, call); });
            status != Done)
            return status;
    }
    if (options.info)
        for (const std::string& panel : document.panels)
            std::cout << panel << '\n';
    if (options.histogramFactor)
        std::cout << tavlo::histogramText(
            tavlo::computeHistogram(document.workImage, *options.histogramFactor));
    if (!options.output) return Done;
    return refusingLimits(*options.output, [&] { return save(document, *options.output); });
}

} // namespace

int main(int argc, char** argv) {
    tavlo::giveLargeBlocksBackWhenFreed();
    if (argc < 2) return fail(UsageFailure, tavlo::cli::kUsage);
    try {
        const auto options =
            tavlo::cli::parseOptions(std::vector<std::string>(argv + 1, argv + argc));
        tavlo::setWorkerCount(options.threads);
        return options.outDir ? tavlo::cli::runBatch(options, run) : run(options);
    } catch (const tavlo::cli::UsageError& e) {
        return fail(UsageFailure, e.what());
    } catch (const std::bad_alloc&) {
        return fail(Refused, "out of memory");
    } catch (const std::exception& e) {
        return fail(UsageFailure, e.what());
    }
}
