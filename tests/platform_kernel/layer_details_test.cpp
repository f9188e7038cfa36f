// Behaviour that is the layer's own choice where the platform leaves it open or cannot be
// compared: static critical sections, stale handles, block freeing, stream details.
#include "kernel_test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <thread>
#include <vector>

using namespace kernel_test;

namespace {

CRITICAL_SECTION static_section; // zero-filled, never initialised

TEST(LayerCriticalSection, ZeroFilledRecordIsAFreeLock) {
    EnterCriticalSection(&static_section);
    EnterCriticalSection(&static_section);
    LeaveCriticalSection(&static_section);
    LeaveCriticalSection(&static_section);
    bool other_got_it = false;
    std::thread([&] {
        other_got_it = TryEnterCriticalSection(&static_section) != FALSE;
        if (other_got_it) LeaveCriticalSection(&static_section);
    }).join();
    EXPECT_TRUE(other_got_it);
}

TEST(LayerCriticalSection, LeaveByAnotherThreadDoesNotFreeTheLock) {
    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    EnterCriticalSection(&section);
    bool other_got_it = true;
    std::thread([&] {
        LeaveCriticalSection(&section);
        other_got_it = TryEnterCriticalSection(&section) != FALSE;
    }).join();
    EXPECT_FALSE(other_got_it);
    LeaveCriticalSection(&section);
    DeleteCriticalSection(&section);
}

TEST(LayerGlobalMemory, FreedBlocksAreNoLongerKnown) {
    HGLOBAL moveable = GlobalAlloc(GMEM_MOVEABLE, 8);
    EXPECT_EQ(GlobalFree(moveable), nullptr);
    SetLastError(0);
    EXPECT_EQ(GlobalLock(moveable), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(GlobalSize(moveable), 0u);
    EXPECT_EQ(GlobalFree(moveable), moveable);
    int not_a_block = 0;
    EXPECT_EQ(GlobalHandle(&not_a_block), nullptr);
    EXPECT_FALSE(GlobalUnlock(&not_a_block));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(LayerGlobalMemory, LockedMoveableBlockShrinksInPlaceAndMovesWhenAllowed) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 16);
    char* locked = static_cast<char*>(GlobalLock(block));
    std::memcpy(locked, "0123456789abcdef", 16);
    EXPECT_EQ(GlobalReAlloc(block, 8, 0), block); // shrinking stays in place
    EXPECT_EQ(GlobalLock(block), locked);
    GlobalUnlock(block);
    EXPECT_EQ(GlobalReAlloc(block, 1 << 20, GMEM_MOVEABLE), block);
    char* moved = static_cast<char*>(GlobalLock(block));
    EXPECT_EQ(std::string(moved, 8), "01234567");
    EXPECT_EQ(GlobalHandle(moved), block);
    GlobalUnlock(block);
    GlobalUnlock(block);
    GlobalFree(block);
}

TEST(LayerGlobalStream, DeleteOnReleaseFreesTheBlockWithTheLastStream) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(block, TRUE, &stream), S_OK);
    IStream* clone = nullptr;
    ASSERT_EQ(stream->Clone(&clone), S_OK);
    stream->Release();
    EXPECT_EQ(GlobalSize(block), 4u);
    clone->Release();
    SetLastError(0);
    EXPECT_EQ(GlobalSize(block), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(LayerGlobalStream, StreamsOfOtherKindsHaveNoBlock) {
    struct Other final : IStream {
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
        ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE Read(void*, ULONG, ULONG*) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE Stat(STATSTG*, DWORD) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }
    } other;
    HGLOBAL block = reinterpret_cast<HGLOBAL>(1);
    EXPECT_EQ(GetHGlobalFromStream(&other, &block), E_INVALIDARG);
}

TEST(LayerFiles, WideNamesAreStoredAsUtf8) {
    TempFolder folder;
    const std::u16string name = folder.path("").u16string() + u"\u00e9t\u00e9.txt";
    HANDLE file = CreateFileW(W(name), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_TRUE(std::filesystem::exists(folder.narrow("\xC3\xA9t\xC3\xA9.txt")));
}

TEST(LayerFiles, BackslashesSeparateFolders) {
    TempFolder folder;
    std::filesystem::create_directories(folder.path("sub"));
    std::u16string name = folder.path("").u16string() + u"sub\\file.txt";
    HANDLE file = CreateFileW(W(name), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_TRUE(std::filesystem::exists(folder.path("sub") / "file.txt"));
}

TEST(LayerStreams, FullDeviceReportsTheFailedWriteAtClose) {
    FILE* stream = nullptr;
    ASSERT_EQ(fopen_s(&stream, "/dev/full", "w"), 0);
    fputs("no room\n", stream);
    EXPECT_NE(fclose(stream), 0);
}

TEST(LayerStreams, FlushedTextIsVisibleToOtherReaders) {
    TempFolder folder;
    FILE* stream = nullptr;
    ASSERT_EQ(fopen_s(&stream, folder.narrow("f.txt").c_str(), "w"), 0);
    fputs("a\n", stream);
    ASSERT_EQ(fflush(stream), 0);
    EXPECT_EQ(read_bytes(folder.path("f.txt")), "a\r\n");
    fclose(stream);
}

TEST(LayerStreams, ConsoleNamesReopenOntoTheProcesssOwnStreams) {
    FILE* console = nullptr;
    ASSERT_EQ(fopen_s(&console, "CONOUT$", "w"), 0);
    ASSERT_NE(console, nullptr);
    fclose(console);
    FILE* reopened = nullptr;
    ASSERT_EQ(_wfreopen_s(&reopened, W(u"CONOUT$"), W(u"w+t"), stdout), 0);
    EXPECT_EQ(reopened, stdout);
}

TEST(LayerStreams, DeleteOnCloseModeRemovesTheFile) {
    TempFolder folder;
    FILE* stream = nullptr;
    ASSERT_EQ(fopen_s(&stream, folder.narrow("d.txt").c_str(), "wD"), 0);
    fputs("x", stream);
    EXPECT_TRUE(std::filesystem::exists(folder.path("d.txt")));
    fclose(stream);
    EXPECT_FALSE(std::filesystem::exists(folder.path("d.txt")));
}

TEST(LayerStreams, AppendingStreamReportsItsPositionAtTheEnd) {
    TempFolder folder;
    write_bytes(folder.path("log.txt"), "old\r\n");
    FILE* stream = nullptr;
    ASSERT_EQ(fopen_s(&stream, folder.narrow("log.txt").c_str(), "a"), 0);
    fputs("new\n", stream);
    EXPECT_EQ(ftell(stream), 10);
    fclose(stream);
}

TEST(LayerStreams, EmptyNamesAndConflictingModesAreInvalid) {
    FILE* stream = nullptr;
    EXPECT_EQ(fopen_s(&stream, "", "r"), EINVAL);
    EXPECT_EQ(fopen_s(&stream, "x.txt", "wtb"), EINVAL);
    EXPECT_EQ(fopen_s(&stream, "x.txt", "r++"), EINVAL);
    EXPECT_EQ(fopen_s(&stream, "x.txt", "w,ccs=UTF-8"), EINVAL);
    EXPECT_EQ(stream, nullptr);
}

TEST(LayerStreams, NewOnlyModeRefusesAnExistingFile) {
    TempFolder folder;
    write_bytes(folder.path("f.txt"), "there");
    FILE* stream = nullptr;
    EXPECT_EQ(fopen_s(&stream, folder.narrow("f.txt").c_str(), "wx"), EEXIST);
    EXPECT_EQ(read_bytes(folder.path("f.txt")), "there");
    ASSERT_EQ(fopen_s(&stream, folder.narrow("g.txt").c_str(), "wx"), 0);
    fclose(stream);
}

// The runtime library's documented results for text that does not fit (returned here instead
// of ending the process through the invalid-parameter handler).
TEST(LayerBoundedPrint, TextThatDoesNotFitLeavesAnEmptyBuffer) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    errno = 0;
    EXPECT_EQ(sprintf_s(buffer, sizeof buffer, "%s", "12345678"), -1);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(errno, ERANGE);
    EXPECT_EQ(sprintf_s(buffer, " %d,", 16777215), -1);
    EXPECT_EQ(buffer[0], '\0');
}

TEST(LayerBoundedPrint, MissingBufferOrFormatIsInvalid) {
    char buffer[8] = "keep";
    errno = 0;
    EXPECT_EQ(sprintf_s(nullptr, 8, "%d", 1), -1);
    EXPECT_EQ(errno, EINVAL);
    errno = 0;
    EXPECT_EQ(sprintf_s(buffer, 0, "%d", 1), -1);
    EXPECT_EQ(errno, EINVAL);
}

TEST(LayerModules, CutFileNameKeepsATerminator) {
    std::vector<WCHAR> buffer(8, u'#');
    EXPECT_EQ(GetModuleFileNameW(nullptr, buffer.data(), 5), 5u);
    EXPECT_EQ(lstrlenW(buffer.data()), 4);
    SetLastError(0);
    EXPECT_EQ(GetModuleFileNameW(nullptr, buffer.data(), 0), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST(LayerModules, ExecutablePathComesFromTheSystem) {
    std::vector<WCHAR> buffer(4096);
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), 4096);
    ASSERT_GT(length, 0u);
    const std::u16string path(buffer.data(), length);
    EXPECT_EQ(std::filesystem::path(path), std::filesystem::read_symlink("/proc/self/exe"));
}

} // namespace
