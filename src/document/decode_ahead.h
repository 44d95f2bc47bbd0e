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

class DecodeAhead {
  public:
    // `decoded` runs on the background thread after each decode it finished, held or failed,
    // with the file's path; it must not call back into this object.
    explicit DecodeAhead(std::function<void(const std::string&)> decoded = {});
    ~DecodeAhead();
    DecodeAhead(const DecodeAhead&) = delete;
    DecodeAhead& operator=(const DecodeAhead&) = delete;

    // The files to hold decoded (decodeImageFile with `upright`), most wanted first. Held
    // decodes of other files, or of files changed since, are dropped, and a decode under way
    // that is not the most wanted still missing is stopped. A file whose decode failed is not
    // tried again until it is asked for anew.
    void want(std::vector<std::string> paths, bool upright);
    // The decode of `path`, taken out, when it is held and the file unchanged since it was read;
    // with `waitIfUnderWay`, a decode of it under way is waited for first.
    std::optional<DecodedFile> take(const std::string& path, bool upright, bool waitIfUnderWay);

  private:
    struct Held {
        std::string path;
        DecodedFile file;
    };

    void run(std::stop_token stop);
    // The first wanted file neither held nor failed; empty when there is none.
    std::string nextMissing() const;
    bool isWanted(const std::string& path) const;
    void dropUnwanted();

    std::function<void(const std::string&)> decoded_;
    mutable std::mutex mutex_;
    std::condition_variable_any changed_;
    std::vector<std::string> wanted_;
    std::vector<std::string> failed_;
    bool upright_ = true;
    std::vector<Held> held_;
    std::string underWay_;
    std::atomic<bool> stopUnderWay_{false};
    std::jthread worker_; // last, so that it ends before the rest goes
};

} // namespace tavlo
