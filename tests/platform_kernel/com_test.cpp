// COM initialisation and streams over global memory.
#include "kernel_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

namespace {

TEST(ComInit, CountsPerThread) {
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    HRESULT other = E_FAIL;
    std::thread([&] {
        other = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(other)) CoUninitialize();
    }).join();
    EXPECT_EQ(other, S_OK);
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    CoUninitialize();
}

HGLOBAL block_with(const char* text) {
    const size_t length = std::strlen(text);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, length);
    std::memcpy(GlobalLock(block), text, length);
    GlobalUnlock(block);
    return block;
}

std::string read_all(IStream* stream) {
    std::string text;
    char piece[7];
    ULONG read = 0;
    while (SUCCEEDED(stream->Read(piece, sizeof piece, &read)) && read > 0) text.append(piece, read);
    return text;
}

LARGE_INTEGER offset(LONGLONG value) {
    LARGE_INTEGER result;
    result.QuadPart = value;
    return result;
}

ULARGE_INTEGER size(ULONGLONG value) {
    ULARGE_INTEGER result;
    result.QuadPart = value;
    return result;
}

ULONGLONG stream_size(IStream* stream) {
    STATSTG statistics;
    EXPECT_EQ(stream->Stat(&statistics, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(statistics.type, static_cast<DWORD>(STGTY_STREAM));
    return statistics.cbSize.QuadPart;
}

TEST(GlobalStream, ReadsTheBlockAndSeeks) {
    HGLOBAL block = block_with("picture bytes");
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(block, FALSE, &stream), S_OK);
    EXPECT_EQ(stream_size(stream), 13u);
    EXPECT_EQ(read_all(stream), "picture bytes");

    ULARGE_INTEGER position;
    EXPECT_EQ(stream->Seek(offset(-5), STREAM_SEEK_END, &position), S_OK);
    EXPECT_EQ(position.QuadPart, 8u);
    EXPECT_EQ(read_all(stream), "bytes");
    EXPECT_EQ(stream->Seek(offset(2), STREAM_SEEK_SET, nullptr), S_OK);
    EXPECT_EQ(stream->Seek(offset(3), STREAM_SEEK_CUR, &position), S_OK);
    EXPECT_EQ(position.QuadPart, 5u);
    EXPECT_EQ(read_all(stream), "re bytes");
    EXPECT_EQ(stream->Seek(offset(-1), STREAM_SEEK_SET, &position), STG_E_SEEKERROR);
    EXPECT_EQ(stream->Seek(offset(0), 7, &position), STG_E_SEEKERROR); // no such origin
    EXPECT_EQ(stream->Seek(offset(0), STREAM_SEEK_CUR, &position), S_OK);
    EXPECT_EQ(position.QuadPart, 13u) << "a refused seek keeps the position";

    // Reading at the end succeeds with nothing.
    char byte;
    ULONG read = 9;
    EXPECT_EQ(stream->Read(&byte, 1, &read), S_OK);
    EXPECT_EQ(read, 0u);

    EXPECT_EQ(stream->Release(), 0u);
    // Not deleted on release: the block is still the caller's.
    EXPECT_EQ(std::string(static_cast<char*>(GlobalLock(block)), 7), "picture");
    GlobalUnlock(block);
    GlobalFree(block);
}

TEST(GlobalStream, WritingPastTheEndGrowsTheBlock) {
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    EXPECT_EQ(stream_size(stream), 0u);
    ULONG written = 0;
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(stream->Write("0123456789", 10, &written), S_OK);
        EXPECT_EQ(written, 10u);
    }
    EXPECT_EQ(stream_size(stream), 10000u);
    HGLOBAL block = nullptr;
    ASSERT_EQ(GetHGlobalFromStream(stream, &block), S_OK);
    ASSERT_NE(block, nullptr);
    EXPECT_GE(GlobalSize(block), 10000u);
    const char* bytes = static_cast<const char*>(GlobalLock(block));
    EXPECT_EQ(std::string(bytes + 9990, 10), "0123456789");
    GlobalUnlock(block);

    EXPECT_EQ(stream->Seek(offset(0), STREAM_SEEK_SET, nullptr), S_OK);
    ASSERT_EQ(stream->Write("ab", 2, nullptr), S_OK);
    EXPECT_EQ(stream_size(stream), 10000u);
    EXPECT_EQ(stream->Seek(offset(0), STREAM_SEEK_SET, nullptr), S_OK);
    char head[4] = {};
    ULONG read = 0;
    ASSERT_EQ(stream->Read(head, 4, &read), S_OK);
    EXPECT_EQ(std::string(head, read), "ab23");
    stream->Release();
}

TEST(GlobalStream, SetSizeShrinksAndGrows) {
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(block_with("abcdef"), TRUE, &stream), S_OK);
    EXPECT_EQ(stream->SetSize(size(3)), S_OK);
    EXPECT_EQ(stream_size(stream), 3u);
    EXPECT_EQ(read_all(stream), "abc");
    EXPECT_EQ(stream->SetSize(size(5)), S_OK);
    EXPECT_EQ(stream_size(stream), 5u);
    stream->Release();
}

TEST(GlobalStream, CountsReferencesAndAnswersItsInterfaces) {
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    EXPECT_EQ(stream->AddRef(), 2u);
    EXPECT_EQ(stream->Release(), 1u);

    for (const IID* iid : {&IID_IUnknown, &IID_ISequentialStream, &IID_IStream}) {
        void* object = nullptr;
        EXPECT_EQ(stream->QueryInterface(*iid, &object), S_OK);
        ASSERT_NE(object, nullptr);
        static_cast<IUnknown*>(object)->Release();
    }
    // An interface the stream does not have.
    const IID other = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(stream->QueryInterface(other, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(stream->Release(), 0u);
}

TEST(GlobalStream, ClonesShareTheBytesButNotThePosition) {
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(block_with("shared"), TRUE, &stream), S_OK);
    char first[3] = {};
    ASSERT_EQ(stream->Read(first, 3, nullptr), S_OK);
    IStream* clone = nullptr;
    ASSERT_EQ(stream->Clone(&clone), S_OK);
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(read_all(clone), "red");
    ASSERT_EQ(clone->Write("!", 1, nullptr), S_OK);
    EXPECT_EQ(read_all(stream), "red!");
    stream->Release();
    // The clone keeps the block alive.
    EXPECT_EQ(clone->Seek(offset(0), STREAM_SEEK_SET, nullptr), S_OK);
    EXPECT_EQ(read_all(clone), "shared!");
    clone->Release();
}

TEST(GlobalStream, CopyToMovesBytesIntoAnotherStream) {
    IStream* source = nullptr;
    IStream* target = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(block_with("0123456789"), TRUE, &source), S_OK);
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &target), S_OK);
    ASSERT_EQ(source->Seek(offset(2), STREAM_SEEK_SET, nullptr), S_OK);
    ULARGE_INTEGER read, written;
    EXPECT_EQ(source->CopyTo(target, size(5), &read, &written), S_OK);
    EXPECT_EQ(read.QuadPart, 5u);
    EXPECT_EQ(written.QuadPart, 5u);
    EXPECT_EQ(source->CopyTo(target, size(100), &read, &written), S_OK);
    EXPECT_EQ(read.QuadPart, 3u);
    ASSERT_EQ(target->Seek(offset(0), STREAM_SEEK_SET, nullptr), S_OK);
    EXPECT_EQ(read_all(target), "23456789");
    source->Release();
    target->Release();
}

TEST(GlobalStream, WorksWhileTheBlockIsLocked) {
    // The picture loader keeps its block locked while the stream is read.
    HGLOBAL block = block_with("locked data");
    ASSERT_NE(GlobalLock(block), nullptr);
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(block, FALSE, &stream), S_OK);
    EXPECT_EQ(read_all(stream), "locked data");
    GlobalUnlock(block);
    stream->Release();
    GlobalFree(block);
}

TEST(GlobalStream, BadArgumentsAreRefused) {
    EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, nullptr), E_INVALIDARG);
    HGLOBAL block = reinterpret_cast<HGLOBAL>(1);
    EXPECT_EQ(GetHGlobalFromStream(nullptr, &block), E_INVALIDARG);
}

} // namespace
