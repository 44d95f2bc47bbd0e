// Decodes the files the user is likely to show next on one background thread, one at a time,
// and holds what it decoded until asked for it, so that showing such a file costs no decode.
#pragma once

#include "decoded_file.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

namespace tavlo {

// A file to decode whole (reduction 1) or as a JPEG's quick look (2, 4 or 8).
struct DecodeWanted {
    std::string path;
    int reduction = 1;
    bool operator==(const DecodeWanted&) const = default;
};

class DecodeAhead {
  public:
    // `decoded` runs on the background thread after each decode it finished, held or failed;
    // it must not call back into this object.
    explicit DecodeAhead(std::function<void(const DecodeWanted&)> decoded = {});
    ~DecodeAhead();
    DecodeAhead(const DecodeAhead&) = delete;
    DecodeAhead& operator=(const DecodeAhead&) = delete;

    // The files to hold decoded (decodeImageFile with `upright`), most wanted first. Held
    // decodes of other files, or of files changed since, are dropped, and a decode under way
    // that is not the most wanted still missing is stopped. A file whose decode failed is not
    // tried again until it is asked for anew.
    void want(std::vector<DecodeWanted> wanted, bool upright);
    // Holds a decode made elsewhere, until a want that leaves it out.
    void hold(const DecodeWanted& decode, DecodedFile file);
    // The decode, taken out, when it is held and the file unchanged since it was read; with
    // `waitIfUnderWay`, a decode of it under way is waited for first.
    std::optional<DecodedFile> take(const DecodeWanted& decode, bool upright, bool waitIfUnderWay);

  private:
    struct Held {
        DecodeWanted decode;
        DecodedFile file;
    };

    void run(std::stop_token stop);
    // The first wanted decode neither held nor failed.
    std::optional<DecodeWanted> nextMissing() const;
    bool isWanted(const DecodeWanted& decode) const;
    void dropUnwanted();

    std::function<void(const DecodeWanted&)> decoded_;
    mutable std::mutex mutex_;
    std::condition_variable_any changed_;
    std::vector<DecodeWanted> wanted_;
    std::vector<DecodeWanted> failed_;
    bool upright_ = true;
    std::vector<Held> held_;
    std::optional<DecodeWanted> underWay_;
    std::atomic<bool> stopUnderWay_{false};
    std::jthread worker_; // last, so that it ends before the rest goes
};

} // namespace tavlo
