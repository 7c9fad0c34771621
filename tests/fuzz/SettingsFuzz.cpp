// The game's settings as they are read back from a store that anything may have written.
#include "FuzzSupport.h"
#include "settings/GameSettings.h"
#include "settings/MemorySettingsStore.h"

using namespace trundlex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input = fuzz::bytesOf(data, size);
    MemorySettingsStore store;
    GameSettings settings(store);
    const std::string root = settings.RootPath();
    // Each value: its section and name, its type and its bytes (up to a 0xFF byte).
    static const char* const kValues[][2] = {
        {"misc", "count"}, {"misc", "sound"}, {"network", "port"}, {"network", "address"}};
    for (const auto& [section, name] : kValues) {
        const auto type = fuzz::take<std::uint8_t>(input) % 2 == 0 ? SettingsValueType::Binary
                                                                    : SettingsValueType::String;
        const std::size_t end = std::min(input.find('\xff'), input.size());
        store.write(root + "\\" + section, name, {type, std::string(input.substr(0, end))}, false);
        input.remove_prefix(std::min(end + 1, input.size()));
    }
    settings.Load();
    FUZZ_CHECK(settings.count() >= 1);
    FUZZ_CHECK(settings.port() >= 1 && settings.port() <= 65535);
    // What was read saves and reads back unchanged.
    settings.Save();
    GameSettings again(store);
    again.Load();
    FUZZ_CHECK(again.count() == settings.count() && again.port() == settings.port() &&
               again.sound() == settings.sound() && again.address() == settings.address());
    return 0;
}
