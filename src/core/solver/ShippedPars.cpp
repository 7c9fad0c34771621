#include "ShippedPars.h"

#include <filesystem>

#include "Par.h"
#include "level/Level.h"
#include "util/SafeFile.h"

namespace trundlex {

namespace {

// The number follows the par cache's version: a table of pars worked out another way is
// refused rather than shown beside pars of this way.
constexpr std::string_view kHeader = "trundlex shipped pars 3";

}  // namespace

ShippedPars::ReadResult ShippedPars::load(const std::string& path) {
    entries_.clear();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        return ReadResult::Missing;
    }
    std::string bytes;
    switch (readFileUpTo(path, MaxFileBytes, bytes)) {
        case CappedRead::Read:
            return parse(bytes) ? ReadResult::Read : ReadResult::Refused;
        case CappedRead::TooLarge:
            return ReadResult::Refused;
        case CappedRead::Unreadable:
            break;
    }
    return ReadResult::Missing;
}

bool ShippedPars::parse(std::string_view text) {
    ParEntries entries;
    const bool ok = text.size() <= MaxFileBytes && parseInto(text, entries);
    entries_ = ok ? std::move(entries) : ParEntries{};
    return ok;
}

bool ShippedPars::parseInto(std::string_view text, ParEntries& entries) const {
    bool header = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        // Every line ends with a line feed; a last line without one was cut short.
        if (end == std::string_view::npos) {
            return false;
        }
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        // A checkout that turned the line ends into CR LF still holds the same table.
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (header) {
            if (line != kHeader) {
                return false;
            }
            header = false;
            continue;
        }
        std::string id;
        ParEntry entry;
        if (!readParLine(line, id, entry) || entries.contains(id) ||
            entries.size() >= MaxEntries) {
            return false;
        }
        entries.emplace(std::move(id), entry);
    }
    return !header;
}

std::string ShippedPars::toText() const {
    return parTableText(kHeader, entries_);
}

bool ShippedPars::add(const Level& level, int par) {
    if (!storablePar(par) || !storableParId(level.id())) {
        return false;
    }
    entries_[level.id()] = {levelFingerprint(level), par};
    return true;
}

std::optional<int> ShippedPars::lookup(const Level& level) const {
    return lookup(level.id(), levelFingerprint(level));
}

std::optional<int> ShippedPars::lookup(const std::string& id, std::uint64_t fingerprint) const {
    const auto it = entries_.find(id);
    if (it == entries_.end() || it->second.fingerprint != fingerprint) {
        return std::nullopt;
    }
    return it->second.par;
}

}  // namespace trundlex
