// par.txt, the cache of solved pars.
#include "FuzzSupport.h"
#include "level/Level.h"
#include "solver/Par.h"

using namespace trundlex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ParCache cache(fuzz::writeScratch("par.txt", fuzz::bytesOf(data, size)));
    Level level(4, 4);
    level.setId("a");
    if (const auto par = cache.lookup(level)) {
        FUZZ_CHECK(*par >= 0);
    }
    return 0;
}
