// highscore.dat, read at every start of the game.
#include "FuzzSupport.h"
#include "library/HighScoreStore.h"

using namespace trundlex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    HighScoreStore store;
    if (store.load(fuzz::writeScratch("highscore.dat", fuzz::bytesOf(data, size)))) {
        for (int i = 0; i < store.courseCount(); ++i) {
            FUZZ_CHECK(store.entryCount(store.courseIdAt(i)) <= HighScoreStore::MaxEntries);
        }
    }
    return 0;
}
