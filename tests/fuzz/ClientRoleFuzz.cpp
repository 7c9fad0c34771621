// What a client does with the messages of a server.
#include "NetRoleFuzz.h"
#include "net/ClientRole.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return trundlex::fuzz::feedRole<trundlex::ClientRole>(data, size, false);
}
