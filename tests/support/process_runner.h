// Runs a program as a process of its own in a given folder, for the end-to-end tests, and
// dismisses the message boxes it shows the way a user would (pressing OK).
#pragma once

#include <string>
#include <vector>

struct ProcessResult {
    int exit_status = -1;
    // The text of every message box the program showed, in order.
    std::vector<std::string> message_boxes;
};

// program: a path of the build machine (a Unix path under Wine is translated). Waits at most
// timeout_ms; a program still running then is killed and reported with status -1.
ProcessResult run_process(const std::string& program, const std::string& folder, unsigned timeout_ms = 60000);
