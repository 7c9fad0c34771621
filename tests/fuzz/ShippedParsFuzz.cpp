// levels/pars.txt, the shipped levels' pars: whatever the bytes, a table is refused or read
// whole, and a table read gives back a text that reads as the same table.
#include "FuzzSupport.h"
#include "level/Level.h"
#include "solver/Par.h"
#include "solver/ShippedPars.h"

using namespace trundlex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ShippedPars table;
    if (!table.parse(fuzz::bytesOf(data, size))) {
        FUZZ_CHECK(table.size() == 0);
        return 0;
    }
    FUZZ_CHECK(table.size() <= ShippedPars::MaxEntries);
    Level level(4, 4);
    level.setId("a");
    if (const auto par = table.lookup(level)) {
        FUZZ_CHECK(*par >= 0 && *par <= ParStrokeLimit);
    }
    const std::string text = table.toText();
    ShippedPars again;
    FUZZ_CHECK(again.parse(text));
    FUZZ_CHECK(again.size() == table.size());
    FUZZ_CHECK(again.toText() == text);
    return 0;
}
