#include "batch.h"

#include "document/worker_pool.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <iostream>
#include <map>
#include <mutex>
#include <sstream>
#include <unistd.h>

namespace tavlo::cli {

namespace fs = std::filesystem;

namespace {

thread_local std::ostream* threadErrors = nullptr;

std::string outputName(const Options& options, const std::string& input) {
    fs::path name = fs::path(input).filename();
    if (options.bitsGiven) name.replace_extension(".bmp");
    if (options.qualityGiven) name.replace_extension(".jpg");
    return (fs::path(*options.outDir) / name).string();
}

// Two inputs of the same name from different folders would overwrite each other's result.
void refuseSharedOutputs(const Options& options) {
    std::map<std::string, const std::string*> seen;
    for (const std::string& input : options.inputs) {
        const auto [at, fresh] = seen.emplace(outputName(options, input), &input);
        if (!fresh)
            throw UsageError("'" + *at->second + "' and '" + input +
                             "' would both be written to '" + at->first + "'");
    }
}

// The messages of one file as a single line: the lines of a multi-line message joined by spaces.
std::string oneLine(const std::string& input, std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    const std::string prefix = "tavlo-cli: ";
    if (text.starts_with(prefix)) text.erase(0, prefix.size());
    return prefix + input + ": " + text;
}

class Progress {
  public:
    explicit Progress(int total) : total_(total), terminal_(isatty(STDERR_FILENO) == 1) {}

    void fileDone(const std::string& failure) {
        const std::lock_guard lock(mutex_);
        ++done_;
        if (terminal_) std::cerr << "\r\033[K";
        if (!failure.empty()) std::cerr << failure << '\n';
        if (terminal_ && done_ < total_)
            std::cerr << '[' << done_ << '/' << total_ << "] " << std::flush;
        std::cerr << std::flush;
    }

  private:
    std::mutex mutex_;
    int done_ = 0;
    const int total_;
    const bool terminal_;
};

} // namespace

std::ostream& errorStream() {
    return threadErrors ? *threadErrors : std::cerr;
}

int runBatch(const Options& options, const std::function<int(const Options&)>& runOne) {
    refuseSharedOutputs(options);
    std::error_code error;
    fs::create_directories(*options.outDir, error);
    if (error || !fs::is_directory(*options.outDir)) {
        std::cerr << "tavlo-cli: --out-dir '" << *options.outDir
                  << "' cannot be made: " << error.message() << '\n';
        return OutputFailure;
    }
    std::atomic<int> worst{0};
    Progress progress(static_cast<int>(options.inputs.size()));
    forEachIndex(static_cast<int>(options.inputs.size()), [&](int index) {
        const std::string& input = options.inputs[static_cast<std::size_t>(index)];
        Options single = options;
        single.inputs = {input};
        single.output = outputName(options, input);
        single.outDir.reset();
        std::ostringstream messages;
        threadErrors = &messages;
        int status = UsageFailure;
        try {
            status = runOne(single);
        } catch (const std::bad_alloc&) {
            status = Refused;
            messages << "out of memory";
        } catch (const std::exception& e) {
            messages << e.what();
        }
        threadErrors = nullptr;
        int previous = worst.load();
        while (previous < status && !worst.compare_exchange_weak(previous, status)) {
        }
        progress.fileDone(status == 0 ? std::string() : oneLine(input, messages.str()));
    });
    return worst.load();
}

} // namespace tavlo::cli
