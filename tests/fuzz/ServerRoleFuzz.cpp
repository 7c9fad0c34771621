// What a server does with the messages of a client.
#include "NetRoleFuzz.h"
#include "net/ServerRole.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return trundlex::fuzz::feedRole<trundlex::ServerRole>(data, size, true);
}
