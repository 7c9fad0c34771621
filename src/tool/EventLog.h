#pragma once
// The event lines of a host (trundlex-tool serve): what its operator reads.
#include <mutex>
#include <ostream>
#include <string>
#include <string_view>

namespace trundlex::tool {

// Text a peer chose (a name, a chat line, an address) made fit for one event line: control
// characters (CR and LF among them), DEL, every byte from 0x80 up and the backslash become
// \xNN escapes, so that a peer can neither forge an event line nor hide part of one, nor
// turn a terminal's text around (U+202E) or send it C1 controls.
std::string lineSafe(std::string_view text);

// One line per event on standard output, each after the UTC time it was written
// ("2026-12-09T14:03:07.412Z "), flushed at once so that a process reading the host's output
// sees each event as it happens. Lines come from the main, the I/O and the delivery threads.
// A room's log writes through its host's, each line after the room's prefix.
class EventLog {
public:
    explicit EventLog(std::ostream& out) : out_(&out) {}
    EventLog(EventLog& parent, std::string prefix) : parent_(&parent), prefix_(std::move(prefix)) {}
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;

    void line(const std::string& text);

    // The time as a line starts with it, without the blank.
    static std::string timestamp();

private:
    std::mutex mutex_;
    std::ostream* out_ = nullptr;
    EventLog* parent_ = nullptr;
    std::string prefix_;
};

}  // namespace trundlex::tool
