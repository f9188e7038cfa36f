// Without a display windows exist only as backing stores; what would be shown is kept, so that
// reading a window back gives the last frame presented.
#include "user/display.h"
#include "user/metrics.h"

#include <mutex>
#include <unordered_map>

namespace layer::user {
namespace {

class HeadlessDisplay final : public Display {
public:
    bool is_headless() const override { return true; }
    SIZE screen_size() override { return SIZE{metrics::headless_screen_width, metrics::headless_screen_height}; }
    void create(HWND, const std::u16string&, RECT, const IconImage*) override {}
    void destroy(HWND hwnd) override {
        std::lock_guard lock(mutex_);
        shown_.erase(hwnd);
    }
    void show(HWND, bool) override {}
    void place(HWND, RECT) override {}
    void retitle(HWND, const std::u16string&) override {}
    void present(HWND hwnd, std::shared_ptr<const Frame> frame) override {
        std::lock_guard lock(mutex_);
        shown_[hwnd] = std::move(frame);
    }
    std::shared_ptr<const Frame> read_back(HWND hwnd) override {
        std::lock_guard lock(mutex_);
        auto it = shown_.find(hwnd);
        return it == shown_.end() ? nullptr : it->second;
    }
    int message_box(const std::string&, const std::string&, int, const std::vector<std::string>&, int) override {
        return -1;
    }

private:
    std::mutex mutex_;
    std::unordered_map<HWND, std::shared_ptr<const Frame>> shown_;
};

} // namespace

std::unique_ptr<Display> make_headless_display() { return std::make_unique<HeadlessDisplay>(); }

} // namespace layer::user
