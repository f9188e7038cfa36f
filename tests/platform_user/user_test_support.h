// Shared pieces of the window manager tests: the Win32 names on every target, a window class
// whose procedure records every message, and a small message pump.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#else
#include <win32.h>
#endif

#include <functional>
#include <mutex>
#include <string>
#include <vector>

inline const WCHAR* W(const char16_t* text) { return reinterpret_cast<const WCHAR*>(text); }
inline std::u16string U(const WCHAR* text) { return std::u16string(reinterpret_cast<const char16_t*>(text)); }

struct Recorded {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD thread;
};

// Every message that reached a test window's procedure, in order, from every thread.
class MessageLog {
public:
    void add(const Recorded& r) {
        std::lock_guard lock(mutex_);
        entries_.push_back(r);
    }
    std::vector<Recorded> all() {
        std::lock_guard lock(mutex_);
        return entries_;
    }
    std::vector<UINT> messages(HWND hwnd) {
        std::vector<UINT> out;
        for (const auto& r : all())
            if (r.hwnd == hwnd) out.push_back(r.message);
        return out;
    }
    int count(HWND hwnd, UINT message) {
        int n = 0;
        for (const auto& r : all()) n += (r.hwnd == hwnd && r.message == message) ? 1 : 0;
        return n;
    }
    void clear() {
        std::lock_guard lock(mutex_);
        entries_.clear();
    }

private:
    std::mutex mutex_;
    std::vector<Recorded> entries_;
};

MessageLog& message_log();

// What a test window does with a message; return true with `result` set to handle it,
// false to pass it to DefWindowProcW.
using Reaction = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT& result)>;
void set_reaction(Reaction reaction);

// A window class registered for one test (a fresh name each time) with the recording procedure.
class TestClass {
public:
    explicit TestClass(UINT style = 0);
    ~TestClass();
    TestClass(const TestClass&) = delete;
    TestClass& operator=(const TestClass&) = delete;

    const WCHAR* name() const { return W(name_.c_str()); }
    ATOM atom() const { return atom_; }
    HWND create(DWORD style = WS_OVERLAPPEDWINDOW, int x = 100, int y = 80, int width = 240, int height = 180,
                LPVOID param = nullptr, const char16_t* title = u"test window");

private:
    std::u16string name_;
    ATOM atom_ = 0;
};

// Dispatches whatever is pending for the calling thread; returns how many messages it handled.
int pump();
// The position of a message in a list, or -1.
int index_of(const std::vector<UINT>& list, UINT message);
