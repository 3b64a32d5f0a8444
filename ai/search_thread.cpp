#include "ai/search_thread.h"

namespace zarvo {

SearchThread::SearchThread(std::function<void()> on_ready)
    : on_ready_(std::move(on_ready)), worker_([this](std::stop_token stop) { run(stop); }) {}

SearchThread::~SearchThread() {
    {
        const std::lock_guard lock(mutex_);
        pending_.reset();
        running_stop_.request_stop();
    }
    worker_.request_stop();
    // The jthread joins on destruction; the condition variable wakes on its stop request.
}

std::uint64_t SearchThread::start(Job job) {
    const std::lock_guard lock(mutex_);
    running_stop_.request_stop();
    result_.reset();
    pending_ = std::move(job);
    pending_number_ = ++last_started_;
    wake_.notify_one();
    return pending_number_;
}

void SearchThread::stop() {
    std::unique_lock lock(mutex_);
    pending_.reset();
    hurried_ = false;
    running_stop_.request_stop();
    idle_.wait(lock, [this] { return !running_; });
    result_.reset();
}

void SearchThread::hurry() {
    const std::lock_guard lock(mutex_);
    if (running_) {
        hurried_ = true;
        running_stop_.request_stop();
    }
}

std::optional<SearchResult> SearchThread::take_result() {
    const std::lock_guard lock(mutex_);
    std::optional<SearchResult> result = std::move(result_);
    result_.reset();
    return result;
}

bool SearchThread::busy() const {
    const std::lock_guard lock(mutex_);
    return running_ || pending_.has_value();
}

void SearchThread::run(std::stop_token thread_stop) {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (!wake_.wait(lock, thread_stop, [this] { return pending_.has_value(); })) {
            return;
        }
        Job job = std::move(*pending_);
        pending_.reset();
        const std::uint64_t number = pending_number_;
        running_stop_ = std::stop_source();
        const std::stop_token stop = running_stop_.get_token();
        running_ = true;
        hurried_ = false;
        lock.unlock();
        std::optional<Move> move = job(stop);
        lock.lock();
        running_ = false;
        idle_.notify_all();
        // An answer counts only if nothing but hurry() asked it to stop and no newer search was
        // started.
        if ((stop.stop_requested() && !hurried_) || number != last_started_) {
            continue;
        }
        result_ = SearchResult{number, std::move(move)};
        lock.unlock();
        on_ready_();
        lock.lock();
    }
}

}  // namespace zarvo
