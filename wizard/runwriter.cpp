#include "wizard/runwriter.h"

#include <exception>
#include <utility>

namespace kobalin {

RunWriter::RunWriter(std::filesystem::path folder, std::function<void(bool)> done)
    : keeper_(std::move(folder)), done_(std::move(done)), thread_([this] { work(); })
{
}

RunWriter::~RunWriter()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void RunWriter::keep(std::string bytes) { post({false, std::move(bytes)}); }

void RunWriter::forget() { post({true, {}}); }

void RunWriter::post(Request request)
{
    {
        const std::lock_guard lock(mutex_);
        pending_ = std::move(request);
    }
    changed_.notify_all();
}

bool RunWriter::settle()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !pending_ && !busy_; });
    return lastSucceeded_;
}

void RunWriter::work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return pending_ || stopping_; });
        if (!pending_)
            return;
        const Request request = std::move(*pending_);
        pending_.reset();
        busy_ = true;
        lock.unlock();
        bool succeeded = true;
        try {
            if (request.forget)
                keeper_.forget();
            else
                keeper_.keep(request.bytes);
        } catch (const std::exception&) {
            succeeded = false;  // the old content stays whole; done says so
        }
        try {
            if (done_)
                done_(succeeded);
        } catch (...) {
            // Nothing may end the thread: the window would lose its keeping.
        }
        lock.lock();
        busy_ = false;
        lastSucceeded_ = succeeded;
        changed_.notify_all();
    }
}

}  // namespace kobalin
