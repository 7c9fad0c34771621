#include "HoleRates.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <sstream>

#include "Par.h"
#include "ParTable.h"
#include "level/Level.h"
#include "util/SafeFile.h"

namespace trundlex {

namespace {

template <class Number>
bool readNumber(std::string_view text, Number& value, int base) {
    if (text.empty()) {
        return false;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

HoleRates::ReadResult HoleRates::load(const std::string& path) {
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

bool HoleRates::parse(std::string_view text) {
    entries_.clear();
    decltype(entries_) read;
    bool header = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            return false;  // cut short
        }
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (header) {
            if (line != Header) {
                return false;
            }
            header = false;
            continue;
        }
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string_view::npos) {
            return false;
        }
        const std::string_view id = line.substr(0, tab1);
        Entry entry;
        if (!storableParId(id) ||
            !readNumber(line.substr(tab1 + 1, tab2 - tab1 - 1), entry.fingerprint, 16) ||
            !readNumber(line.substr(tab2 + 1), entry.percent, 10) || entry.percent < 0 ||
            entry.percent > 100 || !read.emplace(std::string(id), entry).second) {
            return false;
        }
    }
    if (header) {
        return false;
    }
    entries_ = std::move(read);
    return true;
}

std::string HoleRates::toText() const {
    std::ostringstream out;
    out << Header << '\n';
    for (const auto& [id, entry] : entries_) {
        out << id << '\t' << std::hex << entry.fingerprint << std::dec << '\t' << entry.percent
            << '\n';
    }
    return out.str();
}

bool HoleRates::add(const Level& level, double rate) {
    if (!(rate >= 0.0 && rate <= 1.0) || !storableParId(level.id())) {
        return false;
    }
    entries_[level.id()] = {levelFingerprint(level), static_cast<int>(std::lround(rate * 100.0))};
    return true;
}

std::optional<double> HoleRates::lookup(const Level& level) const {
    const auto it = entries_.find(level.id());
    if (it == entries_.end() || it->second.fingerprint != levelFingerprint(level)) {
        return std::nullopt;
    }
    return it->second.percent / 100.0;
}

}  // namespace trundlex
