#pragma once

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

namespace trundlex::testing {

// Waits until the thread `tid` of this process (its kernel ID, from gettid) sleeps in a call
// that blocks, so a test can go on once another thread is surely waiting instead of sleeping
// for a while. False when it does not within `patience` or has ended.
inline bool waitUntilBlocked(pid_t tid,
                             std::chrono::milliseconds patience = std::chrono::seconds(5)) {
    const std::string path = "/proc/self/task/" + std::to_string(tid) + "/stat";
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (std::chrono::steady_clock::now() < deadline) {
        std::ifstream stat(path);
        std::string fields;
        std::getline(stat, fields);
        const auto name = fields.rfind(')');  // the state follows the thread's name
        if (name != std::string::npos && fields.compare(name, 3, ") S") == 0) {
            return true;
        }
        std::this_thread::yield();
    }
    return false;
}

}  // namespace trundlex::testing
