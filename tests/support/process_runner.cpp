#include "process_runner.h"

#ifdef _WIN32
#include <windows.h>

#include <algorithm>

namespace {

std::wstring widen(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n - 1 : 0);
    return wide;
}

std::string narrow(const wchar_t* text) {
    char buffer[2048] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof buffer - 1, nullptr, nullptr);
    return buffer;
}

// Paths of the build machine arrive as Unix paths; Wine shows the root as drive Z:.
std::wstring host_path(const std::string& path) {
    std::wstring wide = widen(path);
    if (!wide.empty() && wide[0] == L'/') wide = L"Z:" + wide;
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    return wide;
}

struct BoxSearch {
    DWORD process_id;
    HWND box;
};

BOOL CALLBACK find_box(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<BoxSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t class_name[32] = {};
    GetClassNameW(window, class_name, 32);
    if (owner == search->process_id && lstrcmpW(class_name, L"#32770") == 0 && IsWindowVisible(window)) {
        search->box = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

ProcessResult run_process(const std::string& program, const std::string& folder, unsigned timeout_ms) {
    ProcessResult result;
    std::wstring command = L"\"" + host_path(program) + L"\"";
    const std::wstring directory = host_path(folder);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &startup, &process))
        return result;
    const DWORD start = GetTickCount();
    HWND answered = nullptr;
    while (WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT) {
        if (GetTickCount() - start > timeout_ms) {
            TerminateProcess(process.hProcess, 255);
            WaitForSingleObject(process.hProcess, INFINITE);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
            result.exit_status = -1;
            return result;
        }
        BoxSearch search{process.dwProcessId, nullptr};
        EnumWindows(find_box, reinterpret_cast<LPARAM>(&search));
        if (search.box && search.box != answered) {
            wchar_t text[1024] = {};
            GetDlgItemTextW(search.box, 0xFFFF, text, 1024);  // the box's static text
            result.message_boxes.push_back(narrow(text));
            PostMessageW(search.box, WM_COMMAND, IDOK, 0);
            answered = search.box;
        }
    }
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    result.exit_status = static_cast<int>(status);
    return result;
}

#else
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

ProcessResult run_process(const std::string& program, const std::string& folder, unsigned timeout_ms) {
    ProcessResult result;
    // Without a display the layer's message box writes its text to standard error and returns
    // at once, as if OK had been pressed.
    const std::string errors = folder + "/.stderr";
    const pid_t child = fork();
    if (child < 0) return result;
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(127);
        int fd = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) dup2(fd, 2);
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return result;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errors);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    if (!text.empty()) result.message_boxes.push_back(text);
    unlink(errors.c_str());
    return result;
}
#endif
