// Files through CreateFileW and friends.
#include "kernel_test_support.h"

#include <gtest/gtest.h>

using namespace kernel_test;

namespace {

class Files : public testing::Test {
protected:
    HANDLE create(const std::string& name, DWORD access, DWORD disposition, DWORD flags = FILE_ATTRIBUTE_NORMAL) {
        return CreateFileW(W(folder.wide(name)), access, FILE_SHARE_READ, nullptr, disposition, flags, nullptr);
    }
    TempFolder folder;
};

TEST_F(Files, WrittenBytesReadBack) {
    HANDLE file = create("data.bin", GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const char bytes[] = "a\nb\0c";
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, bytes, sizeof bytes, &written, nullptr));
    EXPECT_EQ(written, sizeof bytes);
    EXPECT_TRUE(CloseHandle(file));

    file = create("data.bin", GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD high = 99;
    EXPECT_EQ(GetFileSize(file, &high), sizeof bytes);
    EXPECT_EQ(high, 0u);
    char back[16] = {};
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(file, back, sizeof back, &read, nullptr));
    EXPECT_EQ(read, sizeof bytes);
    EXPECT_EQ(std::string(back, read), std::string(bytes, sizeof bytes));
    // At the end a read succeeds with nothing.
    EXPECT_TRUE(ReadFile(file, back, sizeof back, &read, nullptr));
    EXPECT_EQ(read, 0u);
    CloseHandle(file);
}

struct OpenError {
    const char* name;
    const char* file;
    DWORD access;
    DWORD disposition;
    DWORD error;
};

class FileOpenErrors : public Files, public testing::WithParamInterface<OpenError> {};

TEST_P(FileOpenErrors, FailWithThePlatformsCode) {
    const OpenError& c = GetParam();
    write_bytes(folder.path("existing.txt"), "content");
    std::filesystem::create_directories(folder.path("folder"));
    SetLastError(0);
    EXPECT_EQ(create(c.file, c.access, c.disposition), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), c.error);
    EXPECT_EQ(read_bytes(folder.path("existing.txt")), "content");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileOpenErrors,
    testing::Values(OpenError{"missing_file", "missing.txt", GENERIC_READ, OPEN_EXISTING, ERROR_FILE_NOT_FOUND},
                    OpenError{"missing_folder", "nowhere/file.txt", GENERIC_READ, OPEN_EXISTING, ERROR_PATH_NOT_FOUND},
                    OpenError{"create_in_missing_folder", "nowhere/file.txt", GENERIC_WRITE, CREATE_ALWAYS, ERROR_PATH_NOT_FOUND},
                    OpenError{"folder_for_reading", "folder", GENERIC_READ, OPEN_EXISTING, ERROR_ACCESS_DENIED},
                    OpenError{"folder_for_writing", "folder", GENERIC_WRITE, OPEN_EXISTING, ERROR_ACCESS_DENIED},
                    OpenError{"new_but_existing", "existing.txt", GENERIC_WRITE, CREATE_NEW, ERROR_FILE_EXISTS},
                    OpenError{"truncate_missing", "missing.txt", GENERIC_WRITE, TRUNCATE_EXISTING, ERROR_FILE_NOT_FOUND},
                    OpenError{"bad_disposition", "existing.txt", GENERIC_READ, 9, ERROR_INVALID_PARAMETER}),
    [](const testing::TestParamInfo<OpenError>& info) { return std::string(info.param.name); });

TEST_F(Files, CreateAlwaysReplacesAndReportsTheExistingFile) {
    write_bytes(folder.path("f.txt"), "old content");
    HANDLE file = create("f.txt", GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(GetFileSize(file, nullptr), 0u);
    CloseHandle(file);

    file = create("fresh.txt", GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), 0u);
    CloseHandle(file);
}

TEST_F(Files, OpenAlwaysKeepsTheContent) {
    write_bytes(folder.path("f.txt"), "kept");
    HANDLE file = create("f.txt", GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(GetFileSize(file, nullptr), 4u);
    CloseHandle(file);
    file = create("new.txt", GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), 0u);
    CloseHandle(file);
}

TEST_F(Files, TruncateExistingEmptiesTheFile) {
    write_bytes(folder.path("f.txt"), "old");
    HANDLE file = create("f.txt", GENERIC_WRITE, TRUNCATE_EXISTING);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileSize(file, nullptr), 0u);
    CloseHandle(file);
}

TEST_F(Files, ReadOnlyFileRefusesWritingAndDeletion) {
    if (!read_only_is_enforced(folder)) GTEST_SKIP() << "read-only files are writable here";
    HANDLE file = create("ro.txt", GENERIC_WRITE, CREATE_NEW, FILE_ATTRIBUTE_READONLY);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    // The handle that made the file may still write it.
    EXPECT_TRUE(WriteFile(file, "abc", 3, &written, nullptr));
    CloseHandle(file);
    EXPECT_NE(GetFileAttributesW(W(folder.wide("ro.txt"))) & FILE_ATTRIBUTE_READONLY, 0u);

    EXPECT_EQ(create("ro.txt", GENERIC_WRITE, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(create("ro.txt", GENERIC_WRITE, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(DeleteFileW(W(folder.wide("ro.txt"))));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(read_bytes(folder.path("ro.txt")), "abc");

    HANDLE reader = create("ro.txt", GENERIC_READ, OPEN_EXISTING);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    CloseHandle(reader);
    EXPECT_TRUE(SetFileAttributesW(W(folder.wide("ro.txt")), FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(DeleteFileW(W(folder.wide("ro.txt"))));
}

TEST_F(Files, HandleWithoutTheRightAccessIsRefused) {
    write_bytes(folder.path("f.txt"), "abc");
    HANDLE reader = create("f.txt", GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    DWORD written = 5;
    EXPECT_FALSE(WriteFile(reader, "x", 1, &written, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(written, 0u);
    CloseHandle(reader);

    HANDLE writer = create("f.txt", GENERIC_WRITE, OPEN_EXISTING);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    char byte;
    DWORD read = 5;
    EXPECT_FALSE(ReadFile(writer, &byte, 1, &read, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(read, 0u);
    CloseHandle(writer);
}

TEST_F(Files, FilePointerMovesReadsAndWrites) {
    write_bytes(folder.path("f.txt"), "0123456789");
    HANDLE file = create("f.txt", GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(SetFilePointer(file, 4, nullptr, FILE_BEGIN), 4u);
    char bytes[3] = {};
    DWORD count = 0;
    ASSERT_TRUE(ReadFile(file, bytes, 2, &count, nullptr));
    EXPECT_EQ(std::string(bytes, count), "45");
    EXPECT_EQ(SetFilePointer(file, -1, nullptr, FILE_END), 9u);
    ASSERT_TRUE(WriteFile(file, "XY", 2, &count, nullptr));
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), 11u);
    EXPECT_EQ(SetFilePointer(file, -20, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
    CloseHandle(file);
    EXPECT_EQ(read_bytes(folder.path("f.txt")), "012345678XY");
}

TEST_F(Files, DeleteFileRemovesFilesButNotFolders) {
    write_bytes(folder.path("gone.txt"), "x");
    std::filesystem::create_directories(folder.path("folder"));
    EXPECT_TRUE(DeleteFileW(W(folder.wide("gone.txt"))));
    EXPECT_FALSE(std::filesystem::exists(folder.path("gone.txt")));
    EXPECT_FALSE(DeleteFileW(W(folder.wide("gone.txt"))));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(DeleteFileW(W(folder.wide("folder"))));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(std::filesystem::exists(folder.path("folder")));
}

TEST_F(Files, DeleteOnCloseRemovesTheFileWithItsLastHandle) {
    HANDLE file = create("temp.txt", GENERIC_WRITE, CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(std::filesystem::exists(folder.path("temp.txt")));
    CloseHandle(file);
    EXPECT_FALSE(std::filesystem::exists(folder.path("temp.txt")));
}

TEST_F(Files, NonAsciiNamesRoundTrip) {
    const std::u16string name = folder.path("").u16string() + u"\u00e9t\u00e9-\u6f22\u5b57-\U0001F600.txt";
    HANDLE file = CreateFileW(W(name), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    file = CreateFileW(W(name), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(name)));
}

} // namespace
