#include "decode_ahead.h"

#include <algorithm>
#include <new>

namespace tavlo {

DecodeAhead::DecodeAhead(std::function<void(const std::string&)> decoded)
    : decoded_(std::move(decoded)), worker_([this](std::stop_token stop) { run(stop); }) {}

DecodeAhead::~DecodeAhead() {
    stopUnderWay_ = true;
    worker_.request_stop();
}

bool DecodeAhead::isWanted(const std::string& path) const {
    return std::find(wanted_.begin(), wanted_.end(), path) != wanted_.end();
}

std::string DecodeAhead::nextMissing() const {
    for (const std::string& path : wanted_) {
        const bool held =
            std::any_of(held_.begin(), held_.end(), [&](const Held& h) { return h.path == path; });
        if (!held && std::find(failed_.begin(), failed_.end(), path) == failed_.end()) return path;
    }
    return {};
}

void DecodeAhead::dropUnwanted() {
    std::erase_if(held_, [&](const Held& h) {
        return !isWanted(h.path) || fileStampOf(h.path) != h.file.stamp;
    });
}

void DecodeAhead::want(std::vector<std::string> paths, bool upright) {
    {
        const std::scoped_lock lock(mutex_);
        if (upright != upright_) held_.clear();
        upright_ = upright;
        std::erase_if(failed_, [&](const std::string& path) {
            return std::find(paths.begin(), paths.end(), path) == paths.end();
        });
        wanted_ = std::move(paths);
        dropUnwanted();
        if (!underWay_.empty() && underWay_ != nextMissing()) stopUnderWay_ = true;
    }
    changed_.notify_all();
}

std::optional<DecodedFile> DecodeAhead::take(const std::string& path, bool upright,
                                             bool waitIfUnderWay) {
    std::unique_lock lock(mutex_);
    if (waitIfUnderWay && upright == upright_)
        changed_.wait(lock, [&] { return underWay_ != path; });
    if (upright != upright_) return std::nullopt;
    const auto held =
        std::find_if(held_.begin(), held_.end(), [&](const Held& h) { return h.path == path; });
    if (held == held_.end()) return std::nullopt;
    DecodedFile file = std::move(held->file);
    held_.erase(held);
    lock.unlock();
    if (fileStampOf(path) != file.stamp) return std::nullopt;
    return file;
}

void DecodeAhead::run(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    while (!stop.stop_requested()) {
        changed_.wait(lock, stop, [&] { return !nextMissing().empty(); });
        if (stop.stop_requested()) return;
        const std::string path = nextMissing();
        const bool upright = upright_;
        underWay_ = path;
        stopUnderWay_ = false;
        lock.unlock();
        std::optional<DecodedFile> file;
        try {
            file = decodeImageFile(path, upright, &stopUnderWay_);
        } catch (const std::bad_alloc&) { // a decode ahead that finds no memory is dropped
        }
        lock.lock();
        underWay_.clear();
        const bool stopped = file && file->decoded.stopped;
        if (!stopped && upright == upright_ && isWanted(path)) {
            if (file && file->outcome == LoadOutcome::Loaded)
                held_.push_back({path, std::move(*file)});
            else
                failed_.push_back(path);
        }
        changed_.notify_all();
        if (!stopped && decoded_) {
            lock.unlock();
            decoded_(path);
            lock.lock();
        }
    }
}

} // namespace tavlo
