// One thread's queue: posting, peeking with filters, the quit request, WM_PAINT generation.
#include "user_test_support.h"

#include <gtest/gtest.h>

namespace {

// Drops whatever an earlier test left in this thread's queue (a quit request included).
void drain() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_PAINT) ValidateRect(msg.hwnd, nullptr);
    }
}

class MessageQueue : public testing::Test {
protected:
    void SetUp() override {
        drain();
        hwnd = cls.create();
        other = cls.create();
        ASSERT_NE(hwnd, nullptr);
        ASSERT_NE(other, nullptr);
        drain();
    }
    void TearDown() override {
        DestroyWindow(hwnd);
        DestroyWindow(other);
        drain();
    }
    TestClass cls;
    HWND hwnd = nullptr;
    HWND other = nullptr;
};

} // namespace

TEST_F(MessageQueue, PostedMessagesComeInOrderAndNoRemoveLeavesThem) {
    ASSERT_TRUE(PostMessageW(hwnd, WM_APP + 1, 11, 111));
    ASSERT_TRUE(PostMessageW(other, WM_APP + 2, 22, 222));
    ASSERT_TRUE(PostMessageW(hwnd, WM_APP + 3, 33, 333));
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP + 1));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, hwnd);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP + 1));
    EXPECT_EQ(msg.wParam, 11u);
    EXPECT_EQ(msg.lParam, 111);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP + 2));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP + 3));
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueue, WindowAndRangeFiltersSkipOtherMessages) {
    PostMessageW(hwnd, WM_APP + 1, 0, 0);
    PostMessageW(other, WM_APP + 2, 0, 0);
    PostMessageW(hwnd, WM_APP + 3, 0, 0);
    PostMessageW(nullptr, WM_APP + 4, 0, 0); // a thread message
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, other, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP + 2));
    EXPECT_FALSE(PeekMessageW(&msg, other, 0, 0, PM_REMOVE));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_APP + 3, WM_APP + 4, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP + 3));
    ASSERT_TRUE(PeekMessageW(&msg, reinterpret_cast<HWND>(static_cast<INT_PTR>(-1)), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP + 4));
    EXPECT_EQ(msg.hwnd, nullptr);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP + 1));
}

TEST_F(MessageQueue, DispatchCallsTheProcedureWithTheMessage) {
    set_reaction([](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
        if (message != WM_APP) return false;
        result = static_cast<LRESULT>(wParam * 2);
        return true;
    });
    PostMessageW(hwnd, WM_APP, 21, 0);
    MSG msg{};
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(DispatchMessageW(&msg), 42);
    EXPECT_EQ(message_log().count(hwnd, WM_APP), 1);
}

TEST_F(MessageQueue, QuitComesAfterPostedMessagesAndEndsGetMessage) {
    PostMessageW(hwnd, WM_APP, 0, 0);
    PostQuitMessage(7);
    PostMessageW(hwnd, WM_APP + 1, 0, 0);
    MSG msg{};
    EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP));
    EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP + 1));
    EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueue, QuitPassesEveryFilterAndComesBeforePaint) {
    ShowWindow(hwnd, SW_SHOW);
    PostQuitMessage(3);
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, hwnd, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
}

TEST_F(MessageQueue, PaintIsMadeOnlyWhenNothingElseIsPendingAndUntilValidated) {
    MSG msg{};
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)); // hidden: no paint
    ShowWindow(hwnd, SW_SHOW);
    PostMessageW(hwnd, WM_APP, 0, 0);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    EXPECT_EQ(msg.hwnd, hwnd);
    // Taking WM_PAINT out does not validate: it comes again.
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(update.right, client.right);
    EXPECT_EQ(update.bottom, client.bottom);
    ASSERT_TRUE(ValidateRect(hwnd, nullptr));
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE));

    const RECT part{1, 2, 30, 40};
    ASSERT_TRUE(InvalidateRect(hwnd, &part, FALSE));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
    EXPECT_EQ(msg.hwnd, hwnd);
    ASSERT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
    EXPECT_EQ(update.left, 1);
    EXPECT_EQ(update.top, 2);
    EXPECT_EQ(update.right, 30);
    EXPECT_EQ(update.bottom, 40);
    // A filter that excludes WM_PAINT does not see it.
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_APP, WM_APP, PM_NOREMOVE));
    // Dispatching it to the default procedure validates.
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    DispatchMessageW(&msg);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message_log().count(hwnd, WM_PAINT), 1);
}

TEST_F(MessageQueue, UpdateWindowPaintsAtOnce) {
    ShowWindow(hwnd, SW_SHOW);
    ASSERT_TRUE(UpdateWindow(hwnd));
    EXPECT_EQ(message_log().count(hwnd, WM_PAINT), 1);
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE));
    ASSERT_TRUE(UpdateWindow(hwnd)); // nothing invalid: no second paint
    EXPECT_EQ(message_log().count(hwnd, WM_PAINT), 1);
}

TEST_F(MessageQueue, PostingToADestroyedWindowFails) {
    HWND gone = cls.create();
    ASSERT_TRUE(DestroyWindow(gone));
    SetLastError(0);
    EXPECT_FALSE(PostMessageW(gone, WM_APP, 0, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(SendMessageW(gone, WM_APP, 0, 0), 0);
}

TEST_F(MessageQueue, TranslateMakesCharactersFromKeys) {
    const MSG key{hwnd, WM_KEYDOWN, 'Q', 1, 0, {0, 0}};
    EXPECT_TRUE(TranslateMessage(&key));
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_CHAR));
    EXPECT_EQ(msg.hwnd, hwnd);
    EXPECT_TRUE(msg.wParam == u'q' || msg.wParam == u'Q');
    const MSG other_message{hwnd, WM_APP, 0, 0, 0, {0, 0}};
    EXPECT_FALSE(TranslateMessage(&other_message));
}
