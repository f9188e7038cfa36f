// Window classes, creation and destruction: the messages and their order, and the results.
#include "user_test_support.h"

#include <gtest/gtest.h>

TEST(WindowClass, SecondRegistrationFailsWithClassAlreadyExists) {
    TestClass cls;
    ASSERT_NE(cls.atom(), 0);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = cls.name();
    SetLastError(0);
    EXPECT_EQ(RegisterClassExW(&wc), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
}

TEST(WindowClass, UnregisterFailsWhileWindowsExistAndForUnknownNames) {
    auto cls = std::make_unique<TestClass>();
    HWND hwnd = cls->create();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_FALSE(UnregisterClassW(cls->name(), GetModuleHandleW(nullptr)));
    ASSERT_TRUE(DestroyWindow(hwnd));
    EXPECT_TRUE(UnregisterClassW(cls->name(), GetModuleHandleW(nullptr)));
    EXPECT_FALSE(UnregisterClassW(cls->name(), GetModuleHandleW(nullptr)));
    // Creating a window of a class that is gone fails.
    EXPECT_EQ(CreateWindowExW(0, cls->name(), W(u"x"), WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr),
              nullptr);
}

TEST(WindowClass, ClassNamesAreCaseInsensitiveAndAtomsWork) {
    TestClass cls;
    std::u16string upper = U(cls.name());
    for (auto& c : upper)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    HWND by_name = CreateWindowExW(0, W(upper.c_str()), W(u"a"), WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    HWND by_atom = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(cls.atom())), W(u"b"),
                                   WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(by_name, nullptr);
    EXPECT_NE(by_atom, nullptr);
    DestroyWindow(by_name);
    DestroyWindow(by_atom);
}

TEST(WindowCreation, NcCreateComesBeforeCreateAndBothSeeTheCreationRecord) {
    TestClass cls;
    int marker = 42;
    std::vector<void*> params;
    std::vector<std::u16string> names;
    set_reaction([&](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT&) {
        if (message == WM_NCCREATE || message == WM_CREATE) {
            const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            params.push_back(cs->lpCreateParams);
            names.push_back(U(cs->lpszName));
        }
        return false;
    });
    HWND hwnd = cls.create(WS_OVERLAPPEDWINDOW, 10, 20, 200, 100, &marker, u"creation");
    ASSERT_NE(hwnd, nullptr);
    const auto seen = message_log().messages(hwnd);
    const int nccreate = index_of(seen, WM_NCCREATE);
    const int create = index_of(seen, WM_CREATE);
    ASSERT_GE(nccreate, 0);
    ASSERT_GE(create, 0);
    EXPECT_LT(nccreate, create);
    ASSERT_EQ(params.size(), 2u);
    EXPECT_EQ(params[0], &marker);
    EXPECT_EQ(params[1], &marker);
    EXPECT_EQ(names[1], u"creation");
    // The default handling of WM_NCCREATE gave the window its text.
    WCHAR title[64] = {};
    EXPECT_EQ(GetWindowTextW(hwnd, title, 64), 8);
    EXPECT_EQ(U(title), u"creation");
    EXPECT_FALSE(IsWindowVisible(hwnd));
    DestroyWindow(hwnd);
}

struct CreationFailure {
    const char* name;
    UINT message;
    LRESULT answer;
};

class WindowCreationFailure : public testing::TestWithParam<CreationFailure> {};

TEST_P(WindowCreationFailure, CreationFailsAndTheWindowIsGone) {
    const auto& c = GetParam();
    TestClass cls;
    HWND seen = nullptr;
    set_reaction([&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT& result) {
        if (message != c.message) return false;
        seen = hwnd;
        result = c.answer;
        return true;
    });
    EXPECT_EQ(cls.create(), nullptr);
    ASSERT_NE(seen, nullptr);
    EXPECT_FALSE(IsWindow(seen));
    const auto messages = message_log().messages(seen);
    // The window never fully existed: WM_NCDESTROY ends it without WM_DESTROY.
    EXPECT_EQ(index_of(messages, WM_DESTROY), -1);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), static_cast<UINT>(WM_NCDESTROY));
}

INSTANTIATE_TEST_SUITE_P(Answers, WindowCreationFailure,
                         testing::Values(CreationFailure{"NcCreateFalse", WM_NCCREATE, FALSE},
                                         CreationFailure{"CreateMinusOne", WM_CREATE, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WindowDestruction, DestroyThenNcDestroyLastAndTheHandleDies) {
    TestClass cls;
    HWND hwnd = cls.create(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    bool alive_in_destroy = false;
    set_reaction([&](HWND h, UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == WM_DESTROY) alive_in_destroy = IsWindow(h) != FALSE;
        return false;
    });
    message_log().clear();
    ASSERT_TRUE(DestroyWindow(hwnd));
    const auto messages = message_log().messages(hwnd);
    const int destroy = index_of(messages, WM_DESTROY);
    ASSERT_GE(destroy, 0);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_LT(destroy, static_cast<int>(messages.size()) - 1);
    EXPECT_TRUE(alive_in_destroy);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_FALSE(DestroyWindow(hwnd));
}

TEST(WindowDestruction, CloseCommandDestroysThroughDefWindowProc) {
    TestClass cls;
    HWND hwnd = cls.create();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(SendMessageW(hwnd, WM_CLOSE, 0, 0), 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(message_log().count(hwnd, WM_DESTROY), 1);
}

TEST(WindowVisibility, ShowWindowReportsThePreviousState) {
    TestClass cls;
    HWND hwnd = cls.create();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_FALSE(ShowWindow(hwnd, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_TRUE(ShowWindow(hwnd, SW_SHOW));
    EXPECT_TRUE(ShowWindow(hwnd, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_FALSE(ShowWindow(hwnd, SW_HIDE));
    EXPECT_NE(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE, 0);
    DestroyWindow(hwnd);
}

TEST(WindowText, SetAndGetTextWithTruncation) {
    TestClass cls;
    HWND hwnd = cls.create();
    ASSERT_NE(hwnd, nullptr);
    ASSERT_TRUE(SetWindowTextW(hwnd, W(u"abcdef")));
    EXPECT_EQ(GetWindowTextLengthW(hwnd), 6);
    WCHAR buffer[4] = {u'x', u'x', u'x', u'x'};
    EXPECT_EQ(GetWindowTextW(hwnd, buffer, 4), 3);
    EXPECT_EQ(U(buffer), u"abc");
    DestroyWindow(hwnd);
}

TEST(WindowSearch, FindWindowByClassAndTitle) {
    TestClass cls;
    HWND first = cls.create(WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, u"first one");
    HWND second = cls.create(WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, u"second one");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(FindWindowW(cls.name(), W(u"second one")), second);
    EXPECT_EQ(FindWindowW(cls.name(), W(u"first one")), first);
    EXPECT_EQ(FindWindowW(cls.name(), W(u"third one")), nullptr);
    const HWND any = FindWindowW(cls.name(), nullptr);
    EXPECT_TRUE(any == first || any == second);
    DestroyWindow(first);
    DestroyWindow(second);
    EXPECT_EQ(FindWindowW(cls.name(), nullptr), nullptr);
}

namespace {

WNDPROC original_proc = nullptr;

LRESULT CALLBACK answering_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) return 77;
    return CallWindowProcW(original_proc, hwnd, message, wParam, lParam);
}

} // namespace

TEST(WindowData, UserDataAndSubclassedProcedure) {
    TestClass cls;
    HWND hwnd = cls.create();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(SetWindowLongPtrW(hwnd, GWLP_USERDATA, 1234), 0);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_USERDATA), 1234);
    original_proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    ASSERT_NE(original_proc, nullptr);
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(answering_proc));
    EXPECT_EQ(SendMessageW(hwnd, WM_APP, 0, 0), 77);
    EXPECT_EQ(message_log().count(hwnd, WM_APP), 0);
    SendMessageW(hwnd, WM_APP + 1, 0, 0);
    EXPECT_EQ(message_log().count(hwnd, WM_APP + 1), 1);
    DestroyWindow(hwnd);
}
