// tavlo-cli: loads an image as the program does, applies operations with the program's own
// code, prints the status-bar texts and saves as the save commands do.
#include "batch.h"
#include "cli_options.h"
#include "document/document.h"
#include "document/operations.h"
#include "document/texts.h"
#include "document/worker_pool.h"
#include "filters/histogram.h"

#include <algorithm>
#include <iostream>

namespace {

enum ExitStatus { Done = 0, UsageFailure = 2, InputFailure = 3, FormatRefused = 4, OutputFailure = 5 };

int fail(int status, const std::string& message) {
    tavlo::cli::errorStream() << "tavlo-cli: " << message << '\n';
    return status;
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
    case tavlo::LoadOutcome::Loaded: return Done;
    case tavlo::LoadOutcome::RefusedExtension:
        return fail(InputFailure, input + ": not a .jpg or .bmp file");
    case tavlo::LoadOutcome::InvalidImage:
        return fail(InputFailure, input + ": invalid image: " + document.error);
    case tavlo::LoadOutcome::CannotRead: return fail(InputFailure, document.error);
    }
    return fail(InputFailure, input + ": cannot load");
}

int save(tavlo::Document& document, const std::string& output) {
    const bool jpeg = tavlo::upperCased(tavlo::fileExtension(output)) == ".JPG";
    switch (jpeg ? document.saveJpeg(output) : document.saveBmp(output)) {
    case tavlo::SaveOutcome::Saved: return Done;
    case tavlo::SaveOutcome::BadExtension:
        return fail(UsageFailure, output + ": " + std::string(tavlo::kBadExtensionMessage));
    case tavlo::SaveOutcome::WriteFailed: return fail(OutputFailure, document.error);
    }
    return fail(OutputFailure, output + ": cannot write");
}

int run(const tavlo::cli::Options& options) {
    tavlo::Document document;
    document.jpegQuality = options.quality;
    document.setBmpSaveFormat(options.bits);
    if (const int status = loadInput(document, options.inputs.front()); status != Done)
        return status;
    for (const auto& call : options.operations) {
        try {
            const auto status = tavlo::findOperation(call.name)->run(document, call.argument);
            if (status == tavlo::OperationStatus::UnsupportedFormat) {
                tavlo::cli::errorStream() << forTerminal(tavlo::kUnsupportedFormatMessage) << '\n';
                return FormatRefused;
            }
            document.modified = true;
        } catch (const tavlo::OperationArgumentError& e) {
            return fail(UsageFailure, call.name + ": " + e.what());
        }
    }
    if (options.info)
        for (const std::string& panel : document.panels)
            std::cout << panel << '\n';
    if (options.histogramFactor)
        std::cout << tavlo::histogramText(
            tavlo::computeHistogram(document.workImage, *options.histogramFactor));
    return options.output ? save(document, *options.output) : Done;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return fail(UsageFailure, tavlo::cli::kUsage);
    try {
        const auto options =
            tavlo::cli::parseOptions(std::vector<std::string>(argv + 1, argv + argc));
        tavlo::setWorkerCount(options.threads);
        return options.outDir ? tavlo::cli::runBatch(options, run) : run(options);
    } catch (const tavlo::cli::UsageError& e) {
        return fail(UsageFailure, e.what());
    } catch (const std::bad_alloc&) {
        return fail(InputFailure, "out of memory");
    } catch (const std::exception& e) {
        return fail(UsageFailure, e.what());
    }
}
