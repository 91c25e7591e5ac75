#pragma once

#include "wizard/keptrun.h"

#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace kobalin {

// A RunKeeper that writes on a thread of its own, so that flushing the
// recovery file to disk never holds up the window. Requests are carried out
// in turn; one not yet begun is overtaken by a newer one, since only the run
// as it stands counts.
class RunWriter {
public:
    // done runs on the writer's thread after each request: true when it succeeded.
    RunWriter(std::filesystem::path folder, std::function<void(bool)> done);
    ~RunWriter();  // carries out the request still waiting, then stops
    RunWriter(const RunWriter&) = delete;
    RunWriter& operator=(const RunWriter&) = delete;

    void keep(std::string bytes);
    void forget();
    // Waits until every request has been carried out; true when the last one succeeded.
    bool settle();

    const std::filesystem::path& file() const { return keeper_.file(); }

private:
    struct Request {
        bool forget = false;
        std::string bytes;
    };
    void post(Request request);
    void work();

    RunKeeper keeper_;
    std::function<void(bool)> done_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<Request> pending_;
    bool busy_ = false;
    bool stopping_ = false;
    bool lastSucceeded_ = true;
    std::thread thread_;  // last: it starts once the rest is made
};

}  // namespace kobalin
