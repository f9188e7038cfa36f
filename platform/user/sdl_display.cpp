// The SDL2 backend. One display thread owns SDL: it initialises the video subsystem, creates a
// real window per top-level window, uploads presented frames into a texture per window and pumps
// SDL's events, turning them into window messages for the windows' own threads (input.h).
// Other threads never call SDL's video functions; they queue commands and wake the display
// thread with an SDL user event. Message boxes run on the caller's helper thread: SDL shows
// them out of process on X11 and Wayland.
#include "user/display.h"
#include "user/icons.h"
#include "user/input.h"
#include "user/sdl_keys.h"
#include "user/text.h"

#include <SDL.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <unordered_map>

namespace layer::user {

void display_moved(HWND hwnd, POINT client_origin);

namespace {

struct Shown {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int texture_w = 0;
    int texture_h = 0;
    std::shared_ptr<const Frame> frame;
};

class SdlDisplay final : public Display {
public:
    // Starts the display thread; false when SDL's video cannot start.
    bool start() {
        std::promise<bool> started;
        auto ready = started.get_future();
        thread_ = std::thread([this, &started] { run(started); });
        if (!ready.get()) {
            thread_.join();
            return false;
        }
        thread_.detach(); // runs until the process ends
        return true;
    }

    bool is_headless() const override { return false; }
    SIZE screen_size() override { return screen_; }

    void create(HWND hwnd, const std::u16string& title, RECT client, const IconImage* icon) override {
        std::shared_ptr<IconImage> icon_copy;
        if (icon != nullptr) icon_copy = std::make_shared<IconImage>(*icon);
        post([this, hwnd, name = to_utf8(title), client, icon_copy] {
            Shown shown;
            shown.window = SDL_CreateWindow(name.c_str(), client.left, client.top,
                                            std::max<int>(1, client.right - client.left),
                                            std::max<int>(1, client.bottom - client.top), SDL_WINDOW_HIDDEN);
            if (shown.window == nullptr) return;
            // A frame is only copied to the window: the software renderer does that everywhere
            // without depending on a GPU driver.
            shown.renderer = SDL_CreateRenderer(shown.window, -1, SDL_RENDERER_SOFTWARE);
            if (shown.renderer == nullptr) shown.renderer = SDL_CreateRenderer(shown.window, -1, 0);
            if (icon_copy) set_icon(shown.window, *icon_copy);
            by_id_[SDL_GetWindowID(shown.window)] = hwnd;
            windows_[hwnd] = shown;
        });
    }

    void destroy(HWND hwnd) override {
        post([this, hwnd] {
            auto it = windows_.find(hwnd);
            if (it == windows_.end()) return;
            by_id_.erase(SDL_GetWindowID(it->second.window));
            if (it->second.texture) SDL_DestroyTexture(it->second.texture);
            if (it->second.renderer) SDL_DestroyRenderer(it->second.renderer);
            SDL_DestroyWindow(it->second.window);
            windows_.erase(it);
        });
    }

    void show(HWND hwnd, bool visible) override {
        post([this, hwnd, visible] {
            auto it = windows_.find(hwnd);
            if (it == windows_.end()) return;
            if (visible) {
                SDL_ShowWindow(it->second.window);
                draw(it->second, true);
            } else {
                SDL_HideWindow(it->second.window);
            }
        });
    }

    void place(HWND hwnd, RECT client) override {
        post([this, hwnd, client] {
            auto it = windows_.find(hwnd);
            if (it == windows_.end()) return;
            SDL_SetWindowPosition(it->second.window, client.left, client.top);
            SDL_SetWindowSize(it->second.window, std::max<int>(1, client.right - client.left),
                              std::max<int>(1, client.bottom - client.top));
        });
    }

    void retitle(HWND hwnd, const std::u16string& title) override {
        post([this, hwnd, name = to_utf8(title)] {
            auto it = windows_.find(hwnd);
            if (it != windows_.end()) SDL_SetWindowTitle(it->second.window, name.c_str());
        });
    }

    void present(HWND hwnd, std::shared_ptr<const Frame> frame) override {
        post([this, hwnd, frame = std::move(frame)] {
            auto it = windows_.find(hwnd);
            if (it == windows_.end()) return;
            it->second.frame = frame;
            draw(it->second, true);
        });
    }

    std::shared_ptr<const Frame> read_back(HWND hwnd) override {
        if (stopping_) return nullptr;
        auto result = std::make_shared<std::promise<std::shared_ptr<const Frame>>>();
        auto answer = result->get_future();
        post([this, hwnd, result] {
            auto it = windows_.find(hwnd);
            if (it == windows_.end() || !it->second.frame || it->second.renderer == nullptr) {
                result->set_value(nullptr);
                return;
            }
            // The back buffer is undefined after a present: draw the frame again and read it
            // before presenting it.
            draw(it->second, false);
            auto out = std::make_shared<Frame>();
            out->width = it->second.frame->width;
            out->height = it->second.frame->height;
            out->pixels.assign(static_cast<std::size_t>(out->width) * out->height, 0);
            SDL_Rect area{0, 0, out->width, out->height};
            if (out->width > 0 && out->height > 0 &&
                SDL_RenderReadPixels(it->second.renderer, &area, SDL_PIXELFORMAT_RGB888, out->pixels.data(),
                                     out->width * 4) != 0)
                out.reset();
            SDL_RenderPresent(it->second.renderer);
            result->set_value(out);
        });
        return answer.get();
    }

    int message_box(const std::string& caption, const std::string& text, int icon_kind,
                    const std::vector<std::string>& labels, int default_button) override {
        std::vector<SDL_MessageBoxButtonData> buttons;
        for (std::size_t i = 0; i < labels.size(); ++i) {
            Uint32 flags = 0;
            if (static_cast<int>(i) == default_button) flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
            if (i + 1 == labels.size()) flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
            buttons.push_back(SDL_MessageBoxButtonData{flags, static_cast<int>(i), labels[i].c_str()});
        }
        static constexpr Uint32 kinds[] = {0, SDL_MESSAGEBOX_ERROR, SDL_MESSAGEBOX_WARNING, SDL_MESSAGEBOX_INFORMATION};
        const SDL_MessageBoxData data{kinds[icon_kind & 3] | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT,
                                      nullptr,
                                      caption.c_str(),
                                      text.c_str(),
                                      static_cast<int>(buttons.size()),
                                      buttons.data(),
                                      nullptr};
        int chosen = -1;
        if (SDL_ShowMessageBox(&data, &chosen) != 0) return -1;
        // Closing the box without a button counts as its escape button.
        return chosen < 0 ? static_cast<int>(labels.size()) - 1 : chosen;
    }

private:
    void run(std::promise<bool>& started) {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
        // The window's pixels go straight to the display server (X11 shared memory), not
        // through a GL context.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            started.set_value(false);
            return;
        }
        wake_event_ = SDL_RegisterEvents(1);
        SDL_DisplayMode mode{};
        if (SDL_GetDesktopDisplayMode(0, &mode) == 0) screen_ = SIZE{mode.w, mode.h};
        else screen_ = SIZE{1024, 768};
        running_instance() = this;
        std::atexit([] { running_instance()->stop(); });
        started.set_value(true); // `started` is gone from here on
        while (!stopping_) {
            SDL_Event event;
            if (SDL_WaitEventTimeout(&event, 100)) {
                handle(event);
                while (SDL_PollEvent(&event)) handle(event);
            }
            run_commands();
        }
        for (auto& [hwnd, shown] : windows_) {
            if (shown.texture) SDL_DestroyTexture(shown.texture);
            if (shown.renderer) SDL_DestroyRenderer(shown.renderer);
            SDL_DestroyWindow(shown.window);
        }
        windows_.clear();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        stopped_.set_value();
    }

    static SdlDisplay*& running_instance() {
        static SdlDisplay* instance = nullptr;
        return instance;
    }

    // At process exit, before the display libraries' own teardown: the display thread lets go of
    // SDL so that nothing of it runs while those libraries are torn down. Bounded: a display
    // thread stuck in the display server does not hold the exit up for long.
    void stop() {
        stopping_ = true;
        SDL_Event wake{};
        wake.type = wake_event_;
        SDL_PushEvent(&wake);
        stopped_.get_future().wait_for(std::chrono::seconds(2));
    }

    void post(std::function<void()> command) {
        if (stopping_) return;
        {
            std::lock_guard lock(mutex_);
            commands_.push_back(std::move(command));
        }
        SDL_Event wake{};
        wake.type = wake_event_;
        SDL_PushEvent(&wake);
    }

    void run_commands() {
        for (;;) {
            std::function<void()> command;
            {
                std::lock_guard lock(mutex_);
                if (commands_.empty()) return;
                command = std::move(commands_.front());
                commands_.pop_front();
            }
            command();
        }
    }

    static void set_icon(SDL_Window* window, const IconImage& icon) {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<std::uint32_t*>(icon.argb.data()), icon.width, icon.height, 32, icon.width * 4,
            SDL_PIXELFORMAT_ARGB8888);
        if (surface == nullptr) return;
        SDL_SetWindowIcon(window, surface);
        SDL_FreeSurface(surface);
    }

    static void draw(Shown& shown, bool present) {
        if (shown.renderer == nullptr || !shown.frame) return;
        const Frame& frame = *shown.frame;
        if (frame.width <= 0 || frame.height <= 0) return;
        if (shown.texture == nullptr || shown.texture_w != frame.width || shown.texture_h != frame.height) {
            if (shown.texture) SDL_DestroyTexture(shown.texture);
            // 0x00RRGGBB in memory order of a 32-bit word: SDL's RGB888.
            shown.texture = SDL_CreateTexture(shown.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                              frame.width, frame.height);
            shown.texture_w = frame.width;
            shown.texture_h = frame.height;
            if (shown.texture == nullptr) return;
        }
        SDL_UpdateTexture(shown.texture, nullptr, frame.pixels.data(), frame.width * 4);
        SDL_SetRenderDrawColor(shown.renderer, 0, 0, 0, 255);
        SDL_RenderClear(shown.renderer);
        SDL_Rect area{0, 0, frame.width, frame.height};
        SDL_RenderCopy(shown.renderer, shown.texture, nullptr, &area);
        if (present) SDL_RenderPresent(shown.renderer);
    }

    HWND window_of(Uint32 id) const {
        auto it = by_id_.find(id);
        return it == by_id_.end() ? nullptr : it->second;
    }

    static WPARAM key_flags(Uint32 buttons) {
        WPARAM keys = 0;
        const SDL_Keymod mod = SDL_GetModState();
        if (mod & KMOD_CTRL) keys |= MK_CONTROL;
        if (mod & KMOD_SHIFT) keys |= MK_SHIFT;
        if (buttons & SDL_BUTTON_LMASK) keys |= MK_LBUTTON;
        if (buttons & SDL_BUTTON_RMASK) keys |= MK_RBUTTON;
        if (buttons & SDL_BUTTON_MMASK) keys |= MK_MBUTTON;
        return keys;
    }

    void handle(const SDL_Event& event) {
        switch (event.type) {
        case SDL_WINDOWEVENT: {
            const HWND hwnd = window_of(event.window.windowID);
            if (hwnd == nullptr) return;
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) deliver_close(hwnd);
            else if (event.window.event == SDL_WINDOWEVENT_EXPOSED) draw(windows_[hwnd], true);
            else if (event.window.event == SDL_WINDOWEVENT_MOVED)
                display_moved(hwnd, POINT{event.window.data1, event.window.data2});
            return;
        }
        case SDL_MOUSEMOTION:
            if (event.motion.which == SDL_TOUCH_MOUSEID) return;
            if (HWND hwnd = window_of(event.motion.windowID))
                deliver_mouse_move(hwnd, POINT{event.motion.x, event.motion.y}, key_flags(event.motion.state));
            return;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const HWND hwnd = window_of(event.button.windowID);
            if (hwnd == nullptr) return;
            MouseButton button;
            if (event.button.button == SDL_BUTTON_LEFT) button = MouseButton::left;
            else if (event.button.button == SDL_BUTTON_RIGHT) button = MouseButton::right;
            else if (event.button.button == SDL_BUTTON_MIDDLE) button = MouseButton::middle;
            else return;
            const bool down = event.type == SDL_MOUSEBUTTONDOWN;
            // Every second click of a run is a double-click, as the platform counts them.
            const int clicks = (down && event.button.clicks >= 2 && event.button.clicks % 2 == 0) ? 2 : 1;
            deliver_mouse_button(hwnd, button, down, clicks, POINT{event.button.x, event.button.y},
                                 key_flags(SDL_GetMouseState(nullptr, nullptr)));
            return;
        }
        case SDL_MOUSEWHEEL: {
            const HWND hwnd = window_of(event.wheel.windowID);
            if (hwnd == nullptr || event.wheel.y == 0) return;
            int x = 0, y = 0;
            const Uint32 buttons = SDL_GetMouseState(&x, &y);
            int notches = event.wheel.y;
            if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
            deliver_mouse_wheel(hwnd, POINT{x, y}, notches * WHEEL_DELTA, key_flags(buttons));
            return;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const HWND hwnd = window_of(event.key.windowID);
            const UINT vk = virtual_key(event.key.keysym.sym);
            if (hwnd == nullptr || vk == 0) return;
            deliver_key(hwnd, vk, event.type == SDL_KEYDOWN, event.key.repeat != 0,
                        static_cast<UINT>(event.key.keysym.scancode));
            return;
        }
        default: return;
        }
    }

    std::thread thread_;
    std::atomic<bool> stopping_{false};
    std::promise<void> stopped_;
    Uint32 wake_event_ = 0;
    SIZE screen_{};
    std::mutex mutex_;
    std::deque<std::function<void()>> commands_;
    // Display thread only.
    std::unordered_map<HWND, Shown> windows_;
    std::unordered_map<Uint32, HWND> by_id_;
};

} // namespace

std::unique_ptr<Display> make_sdl_display() {
    auto sdl = std::make_unique<SdlDisplay>();
    if (!sdl->start()) return nullptr;
    return sdl;
}

} // namespace layer::user
