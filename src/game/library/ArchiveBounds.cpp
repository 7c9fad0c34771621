#include "library/ArchiveBounds.h"

#include <istream>

namespace trundlex {

std::uint64_t bytesLeft(std::istream& in) {
    if (!in) {
        return 0;
    }
    const std::streampos here = in.tellg();
    if (here < 0) {
        return 0;
    }
    in.seekg(0, std::ios::end);
    const std::streampos end = in.tellg();
    in.seekg(here);
    if (end < here || !in) {
        in.clear();
        in.seekg(here);
        return 0;
    }
    return static_cast<std::uint64_t>(end - here);
}

bool countFits(std::istream& in, std::int64_t count, std::uint64_t minItemBytes) {
    if (count <= 0) {
        return true;
    }
    return static_cast<std::uint64_t>(count) <= bytesLeft(in) / minItemBytes;
}

}  // namespace trundlex
