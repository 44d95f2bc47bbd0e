#include "decode_ahead.h"

#include <algorithm>

namespace tavlo {

DecodeAhead::DecodeAhead(std::function<void(const DecodeWanted&)> decoded)
    : decoded_(std::move(decoded)), worker_([this](std::stop_token stop) { run(stop); }) {}

DecodeAhead::~DecodeAhead() {
    stopUnderWay_ = true;
    worker_.request_stop();
}

bool DecodeAhead::isWanted(const DecodeWanted& decode) const {
    return std::find(wanted_.begin(), wanted_.end(), decode) != wanted_.end();
}

std::optional<DecodeWanted> DecodeAhead::nextMissing() const {
    for (const DecodeWanted& decode : wanted_) {
        const bool held = std::any_of(held_.begin(), held_.end(),
                                      [&](const Held& h) { return h.decode == decode; });
        if (!held && std::find(failed_.begin(), failed_.end(), decode) == failed_.end())
            return decode;
    }
    return std::nullopt;
}

void DecodeAhead::dropUnwanted() {
    std::erase_if(held_, [&](const Held& h) {
        return !isWanted(h.decode) || fileStampOf(h.decode.path) != h.file.stamp;
    });
}

void DecodeAhead::want(std::vector<DecodeWanted> wanted, bool upright) {
    {
        const std::scoped_lock lock(mutex_);
        if (upright != upright_) held_.clear();
        upright_ = upright;
        std::erase_if(failed_, [&](const DecodeWanted& decode) {
            return std::find(wanted.begin(), wanted.end(), decode) == wanted.end();
        });
        wanted_ = std::move(wanted);
        dropUnwanted();
        if (underWay_ && underWay_ != nextMissing()) stopUnderWay_ = true;
    }
    changed_.notify_all();
}

void DecodeAhead::hold(const DecodeWanted& decode, DecodedFile file) {
    const std::scoped_lock lock(mutex_);
    std::erase_if(held_, [&](const Held& h) { return h.decode == decode; });
    held_.push_back({decode, std::move(file)});
}

std::optional<DecodedFile> DecodeAhead::take(const DecodeWanted& decode, bool upright,
                                             bool waitIfUnderWay) {
    std::unique_lock lock(mutex_);
    if (waitIfUnderWay && upright == upright_)
        changed_.wait(lock, [&] { return underWay_ != decode; });
    if (upright != upright_) return std::nullopt;
    const auto held =
        std::find_if(held_.begin(), held_.end(), [&](const Held& h) { return h.decode == decode; });
    if (held == held_.end()) return std::nullopt;
    DecodedFile file = std::move(held->file);
    held_.erase(held);
    lock.unlock();
    if (fileStampOf(decode.path) != file.stamp) return std::nullopt;
    return file;
}

void DecodeAhead::run(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    while (!stop.stop_requested()) {
        changed_.wait(lock, stop, [&] { return nextMissing().has_value(); });
        if (stop.stop_requested()) return;
        const DecodeWanted decode = *nextMissing();
        const bool upright = upright_;
        underWay_ = decode;
        stopUnderWay_ = false;
        lock.unlock();
        std::optional<DecodedFile> file;
        try {
            file = decodeImageFile(decode.path, upright, &stopUnderWay_, decode.reduction);
        } catch (...) {
            // Dropped, whatever went wrong (no memory, a hostile file): showing the file then
            // decodes it in the runner, which reports why.
        }
        lock.lock();
        underWay_.reset();
        const bool stopped = file && file->decoded.stopped;
        if (!stopped && upright == upright_ && isWanted(decode)) {
            if (file && file->outcome == LoadOutcome::Loaded)
                held_.push_back({decode, std::move(*file)});
            else
                failed_.push_back(decode);
        }
        changed_.notify_all();
        if (!stopped && decoded_) {
            lock.unlock();
            decoded_(decode);
            lock.lock();
        }
    }
}

} // namespace tavlo
