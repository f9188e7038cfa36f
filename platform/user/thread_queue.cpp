#include "user/thread_queue.h"

#include "user/display.h"
#include "user/window.h"
#include "user/wm_lock.h"

#include <chrono>
#include <unordered_map>

namespace layer::user {
namespace {

bool matches(const MSG& msg, HWND filter, UINT min, UINT max) {
    if (filter == reinterpret_cast<HWND>(static_cast<std::intptr_t>(-1))) {
        if (msg.hwnd != nullptr) return false;
    } else if (filter != nullptr && msg.hwnd != filter) {
        return false;
    }
    return (min == 0 && max == 0) || (msg.message >= min && msg.message <= max);
}

struct Registry {
    std::mutex mutex;
    std::unordered_map<DWORD, std::weak_ptr<ThreadQueue>> queues;
};

Registry& registry() {
    static auto* r = new Registry();
    return *r;
}

// The windows of an ending thread go with it, without messages: its window procedures can no
// longer run. Senders waiting on the thread are released with 0.
void retire_thread(const std::shared_ptr<ThreadQueue>& queue) {
    for (const auto& window : windows_of(queue->thread_id())) {
        {
            std::lock_guard lock(wm_mutex());
            if (window->gone) continue;
            window->gone = true;
            window->visible = false;
            --window->cls->window_count;
        }
        remove_window(window->handle);
        display().destroy(window->handle);
    }
    queue->retire();
    std::lock_guard lock(registry().mutex);
    auto it = registry().queues.find(queue->thread_id());
    if (it != registry().queues.end() && it->second.lock() == queue) registry().queues.erase(it);
}

struct QueueHolder {
    std::shared_ptr<ThreadQueue> queue;
    ~QueueHolder();
};

thread_local bool holder_destroyed = false;
thread_local QueueHolder holder;

QueueHolder::~QueueHolder() {
    holder_destroyed = true;
    if (queue) retire_thread(queue);
}

} // namespace

bool ThreadQueue::post(const MSG& msg) {
    std::lock_guard lock(mutex_);
    if (retired_) return false;
    posted_.push_back(msg);
    signalled_ = true;
    cv_.notify_all();
    return true;
}

bool ThreadQueue::deliver(std::shared_ptr<SentMessage> sent) {
    std::lock_guard lock(mutex_);
    if (retired_) return false;
    incoming_.push_back(std::move(sent));
    signalled_ = true;
    cv_.notify_all();
    return true;
}

void ThreadQueue::post_quit(int code) {
    std::lock_guard lock(mutex_);
    quit_ = true;
    quit_code_ = code;
    signalled_ = true;
    cv_.notify_all();
}

void ThreadQueue::wake() {
    std::lock_guard lock(mutex_);
    signalled_ = true;
    cv_.notify_all();
}

bool ThreadQueue::run_incoming() {
    bool any = false;
    for (;;) {
        std::shared_ptr<SentMessage> sent;
        {
            std::lock_guard lock(mutex_);
            if (incoming_.empty()) break;
            sent = std::move(incoming_.front());
            incoming_.pop_front();
        }
        any = true;
        ++send_depth;
        const LRESULT result = call_window(sent->hwnd, sent->message, sent->wParam, sent->lParam);
        --send_depth;
        complete(sent, result);
    }
    return any;
}

bool ThreadQueue::take_posted(MSG& out, HWND filter, UINT min, UINT max, bool remove) {
    std::lock_guard lock(mutex_);
    for (auto it = posted_.begin(); it != posted_.end(); ++it) {
        if (!matches(*it, filter, min, max)) continue;
        out = *it;
        if (remove) posted_.erase(it);
        return true;
    }
    return false;
}

bool ThreadQueue::take_quit(MSG& out, bool remove) {
    std::lock_guard lock(mutex_);
    if (!quit_) return false;
    out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(quit_code_), 0, message_time(), {}};
    if (remove) quit_ = false;
    return true;
}

void ThreadQueue::purge(HWND hwnd) {
    std::lock_guard lock(mutex_);
    std::erase_if(posted_, [hwnd](const MSG& m) { return m.hwnd == hwnd; });
}

void ThreadQueue::arm() {
    std::lock_guard lock(mutex_);
    signalled_ = false;
}

void ThreadQueue::wait() {
    std::unique_lock lock(mutex_);
    cv_.wait(lock, [this] { return signalled_ || !incoming_.empty(); });
}

LRESULT ThreadQueue::wait_for(const std::shared_ptr<SentMessage>& sent) {
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            cv_.wait(lock, [&] { return sent->done || !incoming_.empty(); });
            if (sent->done) return sent->result;
        }
        run_incoming();
    }
}

void ThreadQueue::complete(const std::shared_ptr<SentMessage>& sent, LRESULT result) {
    if (!sent->sender) return;
    std::lock_guard lock(sent->sender->mutex_);
    sent->result = result;
    sent->done = true;
    sent->sender->cv_.notify_all();
}

void ThreadQueue::retire() {
    std::deque<std::shared_ptr<SentMessage>> pending;
    {
        std::lock_guard lock(mutex_);
        retired_ = true;
        pending.swap(incoming_);
        posted_.clear();
    }
    for (const auto& sent : pending) complete(sent, 0);
}

std::shared_ptr<ThreadQueue> current_queue() {
    // A thread already past its thread-local teardown keeps a queue for its last calls only.
    static thread_local std::shared_ptr<ThreadQueue>* late = nullptr;
    if (!holder_destroyed) {
        if (holder.queue) return holder.queue;
    } else if (late != nullptr) {
        return *late;
    }
    auto queue = std::make_shared<ThreadQueue>(GetCurrentThreadId());
    {
        std::lock_guard lock(registry().mutex);
        registry().queues[queue->thread_id()] = queue;
    }
    if (!holder_destroyed) holder.queue = queue;
    else late = new std::shared_ptr<ThreadQueue>(queue);
    return queue;
}

std::shared_ptr<ThreadQueue> queue_of(DWORD thread_id) {
    std::lock_guard lock(registry().mutex);
    auto it = registry().queues.find(thread_id);
    return it == registry().queues.end() ? nullptr : it->second.lock();
}

DWORD message_time() {
    using namespace std::chrono;
    return static_cast<DWORD>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

LRESULT call_window(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto window = find_window(hwnd);
    if (!window) return 0;
    WNDPROC proc;
    {
        std::lock_guard lock(wm_mutex());
        proc = window->proc;
    }
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

} // namespace layer::user
