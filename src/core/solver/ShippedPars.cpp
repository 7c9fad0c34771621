#include "ShippedPars.h"

#include <charconv>
#include <filesystem>

#include "Par.h"
#include "level/Level.h"
#include "util/SafeFile.h"

namespace trundlex {

namespace {

// The number follows the par cache's version: a table of pars worked out another way is
// refused rather than shown beside pars of this way.
constexpr std::string_view kHeader = "trundlex shipped pars 3";

bool storableId(std::string_view id) {
    return !id.empty() && id.size() < 256 && id.find_first_of("\t\r\n") == std::string_view::npos;
}

bool validPar(int par) { return par >= 0 && par <= ParStrokeLimit; }

// One line, ID <tab> fingerprint in hex <tab> par, read strictly: nothing before, between or
// after the fields.
bool readLine(std::string_view line, std::string& id, std::uint64_t& fingerprint, int& par) {
    const std::size_t a = line.find('\t');
    const std::size_t b = a == std::string_view::npos ? a : line.find('\t', a + 1);
    if (b == std::string_view::npos) {
        return false;
    }
    const char* first = line.data() + a + 1;
    const char* middle = line.data() + b;
    const char* last = line.data() + line.size();
    const auto f = std::from_chars(first, middle, fingerprint, 16);
    const auto p = std::from_chars(middle + 1, last, par);
    id = std::string(line.substr(0, a));
    return f.ec == std::errc() && f.ptr == middle && p.ec == std::errc() && p.ptr == last &&
           validPar(par) && storableId(id);
}

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
    std::map<std::string, Entry> entries;
    const bool ok = text.size() <= MaxFileBytes && parseInto(text, entries);
    entries_ = ok ? std::move(entries) : std::map<std::string, Entry>{};
    return ok;
}

bool ShippedPars::parseInto(std::string_view text, std::map<std::string, Entry>& entries) const {
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
        Entry entry;
        if (!readLine(line, id, entry.fingerprint, entry.par) || entries.contains(id) ||
            entries.size() >= MaxEntries) {
            return false;
        }
        entries.emplace(std::move(id), entry);
    }
    return !header;
}

std::string ShippedPars::toText() const {
    std::string text(kHeader);
    text += '\n';
    char number[32];
    for (const auto& [id, entry] : entries_) {
        text += id;
        text += '\t';
        auto r = std::to_chars(number, number + sizeof number, entry.fingerprint, 16);
        text.append(number, r.ptr);
        text += '\t';
        r = std::to_chars(number, number + sizeof number, entry.par);
        text.append(number, r.ptr);
        text += '\n';
    }
    return text;
}

bool ShippedPars::add(const Level& level, int par) {
    if (!validPar(par) || !storableId(level.id())) {
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
