// A client computer as a program of its own, for the dedicated host's tests: it joins the
// host, plays its player on its turn (straight at the cup) and prints a line for each putt it
// sends, when it holds and when the match is over, so that a test can kill it at a known
// point.
//
//   serve-test-client PORT NAME [HOLD]
//
// With HOLD it stops putting once it has made that many putts and prints "holding". It exits
// with 0 after the match is over or the host went away, and with 1 when it cannot connect or
// nothing ends within a minute (so it never lingers after a test that died).
#include <charconv>
#include <chrono>
#include <iostream>
#include <mutex>
#include <string>

#include "tool/ServeTestSupport.h"

namespace {

std::mutex outputMutex;

void say(const std::string& line) {
    std::lock_guard lock(outputMutex);
    std::cout << line << '\n' << std::flush;
}

bool parseNumber(const char* text, long& value) {
    const std::string s(text);
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    return !s.empty() && error == std::errc() && end == s.data() + s.size();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace trundlex::servetest;
    long port = 0;
    long hold = -1;
    if (argc < 3 || argc > 4 || !parseNumber(argv[1], port) || port <= 0 || port > 65535 ||
        (argc == 4 && (!parseNumber(argv[3], hold) || hold < 0))) {
        std::cerr << "usage: serve-test-client PORT NAME [HOLD]\n";
        return 2;
    }
    FlowClient client(argv[2], {}, static_cast<int>(hold), say);
    if (!client.join(static_cast<std::uint16_t>(port))) {
        std::cerr << "cannot start the client\n";
        return 1;
    }
    say("joining");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    bool finished = false;
    while (!finished && std::chrono::steady_clock::now() < deadline) {
        finished = client.waitUntil([&] { return client.over() || client.ended(); });
    }
    client.net.clearListeners();
    client.net.endGame();
    return finished ? 0 : 1;
}
