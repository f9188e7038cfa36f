// One message queue per thread: posted messages, messages sent from other threads (carried out
// when this thread pumps), the quit flag, and a wake-up for a thread waiting in GetMessageW.
#pragma once

#include "win32.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

namespace layer::user {

class ThreadQueue;

// A message sent to a window of another thread. The sender, if any, waits until `done`.
struct SentMessage {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::shared_ptr<ThreadQueue> sender; // null: a notification, nobody waits for the result
    LRESULT result = 0;                  // guarded by the sender's mutex
    bool done = false;                   // guarded by the sender's mutex
};

class ThreadQueue {
public:
    explicit ThreadQueue(DWORD thread_id) : thread_id_(thread_id) {}
    ThreadQueue(const ThreadQueue&) = delete;
    ThreadQueue& operator=(const ThreadQueue&) = delete;

    DWORD thread_id() const { return thread_id_; }

    // Any thread. False when the thread has ended.
    bool post(const MSG& msg);
    bool deliver(std::shared_ptr<SentMessage> sent);
    void post_quit(int code);
    // Wakes a waiting owner (a backing store became dirty, a window became invalid).
    void wake();

    // Owner thread only.
    // Carries out the messages sent by other threads; true when there was at least one.
    bool run_incoming();
    // Finds the first posted message matching the filter; removes it when `remove`.
    bool take_posted(MSG& out, HWND filter, UINT min, UINT max, bool remove);
    // The quit request passes every window and range filter, as on the platform.
    bool take_quit(MSG& out, bool remove);
    // Drops posted messages for a window that is gone.
    void purge(HWND hwnd);
    // Blocks until something is posted, sent or woken since the last call to `arm`.
    void arm();
    void wait();
    // Waits for a sent message's result while carrying out messages sent to this thread.
    LRESULT wait_for(const std::shared_ptr<SentMessage>& sent);
    // Marks the result of a message that this thread's sender waits for.
    static void complete(const std::shared_ptr<SentMessage>& sent, LRESULT result);
    // The owner thread ends: senders are released with 0 and nothing more is accepted.
    void retire();

    int send_depth = 0; // owner thread: nesting of sent messages being handled

private:
    const DWORD thread_id_;
    std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<MSG> posted_;
    std::deque<std::shared_ptr<SentMessage>> incoming_;
    bool quit_ = false;
    int quit_code_ = 0;
    bool signalled_ = false;
    bool retired_ = false;
};

// The calling thread's queue, created on first use.
std::shared_ptr<ThreadQueue> current_queue();
// The queue of a thread by id; null when that thread has none (or has ended).
std::shared_ptr<ThreadQueue> queue_of(DWORD thread_id);
// A milliseconds time stamp for MSG.time.
DWORD message_time();

// Calls a window procedure for a message on the calling thread (the window's owner).
LRESULT call_window(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace layer::user
