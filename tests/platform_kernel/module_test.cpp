// Module handles, the executable's file name and modules loaded by name.
#include "kernel_test_support.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kernel_test;

namespace {

std::u16string module_path() {
    std::vector<WCHAR> buffer(4096);
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), length);
}

TEST(Modules, ExecutableHasAHandleAndItsPath) {
    EXPECT_NE(GetModuleHandleW(nullptr), nullptr);
    const std::u16string path = module_path();
    ASSERT_FALSE(path.empty());
    const auto name = std::filesystem::path(path).filename().u16string();
    EXPECT_EQ(name.rfind(u"platform_kernel_test", 0), 0u) << std::filesystem::path(path).string();
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(path)));
    // The executable's own handle names the same file.
    std::vector<WCHAR> again(4096);
    EXPECT_EQ(GetModuleFileNameW(GetModuleHandleW(nullptr), again.data(), 4096), path.size());
}

TEST(Modules, FileNameIsCutToTheBuffer) {
    const std::u16string path = module_path();
    const auto length = static_cast<DWORD>(path.size());
    std::vector<WCHAR> buffer(length + 8, WCHAR(u'#'));

    // Room for the name and its terminator: the whole name.
    EXPECT_EQ(GetModuleFileNameW(nullptr, buffer.data(), length + 1), length);
    EXPECT_EQ(buffer[length], 0);

    // One short: the result is the size, the name is cut and the shortage reported.
    SetLastError(0);
    EXPECT_EQ(GetModuleFileNameW(nullptr, buffer.data(), length), length);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), length - 1), path.substr(0, length - 1));
}

using ThreadIdProc = DWORD(WINAPI*)();
using LengthProc = int(WINAPI*)(LPCWSTR);

TEST(Modules, LoadsByNameWithoutCaseOrExtension) {
    HMODULE module = LoadLibraryW(W(u"kernel32.dll"));
    ASSERT_NE(module, nullptr);
    for (const char16_t* name : {u"KERNEL32.DLL", u"Kernel32", u"kernel32"}) {
        HMODULE again = LoadLibraryW(W(name));
        EXPECT_EQ(again, module);
        FreeLibrary(again);
    }
    EXPECT_EQ(GetModuleHandleW(W(u"kernel32.dll")), module);

    auto thread_id = reinterpret_cast<ThreadIdProc>(reinterpret_cast<void (*)()>(GetProcAddress(module, "GetCurrentThreadId")));
    ASSERT_NE(thread_id, nullptr);
    EXPECT_EQ(thread_id(), GetCurrentThreadId());
    auto length = reinterpret_cast<LengthProc>(reinterpret_cast<void (*)()>(GetProcAddress(module, "lstrlenW")));
    ASSERT_NE(length, nullptr);
    EXPECT_EQ(length(W(u"four")), 4);
    EXPECT_TRUE(FreeLibrary(module));
}

TEST(Modules, MissingModulesAndExportsAreReported) {
    SetLastError(0);
    EXPECT_EQ(LoadLibraryW(W(u"pellux_no_such_module.dll")), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(GetModuleHandleW(W(u"pellux_no_such_module.dll")), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(LoadLibraryW(W(u"")), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    // The executable exports nothing by that name.
    EXPECT_EQ(GetProcAddress(nullptr, "GetTickCount"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));

    HMODULE module = LoadLibraryW(W(u"kernel32.dll"));
    ASSERT_NE(module, nullptr);
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(module, "PelluxNoSuchExport"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    // Export names are matched exactly.
    EXPECT_EQ(GetProcAddress(module, "getcurrentthreadid"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    FreeLibrary(module);
}

} // namespace
