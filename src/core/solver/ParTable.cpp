#include "ParTable.h"

#include <charconv>

#include "Par.h"

namespace trundlex {

bool storableParId(std::string_view id) {
    return !id.empty() && id.size() < 256 && id.find_first_of("\t\r\n") == std::string_view::npos;
}

bool storablePar(int par) { return par >= 0 && par <= ParStrokeLimit; }

bool readParLine(std::string_view line, std::string& id, ParEntry& entry) {
    const std::size_t a = line.find('\t');
    const std::size_t b = a == std::string_view::npos ? a : line.find('\t', a + 1);
    if (b == std::string_view::npos) {
        return false;
    }
    const char* first = line.data() + a + 1;
    const char* middle = line.data() + b;
    const char* last = line.data() + line.size();
    const auto f = std::from_chars(first, middle, entry.fingerprint, 16);
    const auto p = std::from_chars(middle + 1, last, entry.par);
    id = std::string(line.substr(0, a));
    return f.ec == std::errc() && f.ptr == middle && p.ec == std::errc() && p.ptr == last &&
           storablePar(entry.par) && storableParId(id);
}

std::string parTableText(std::string_view header, const ParEntries& entries) {
    std::string text(header);
    text += '\n';
    char number[32];
    for (const auto& [id, entry] : entries) {
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

}  // namespace trundlex
