#include "settings/SettingsStore.h"

namespace trundlex {

SettingsValue SettingsValue::fromInt(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[static_cast<std::size_t>(i)] = static_cast<char>((bits >> (8 * i)) & 0xFFu);
    }
    return {SettingsValueType::Binary, std::move(bytes)};
}

SettingsValue SettingsValue::fromString(std::string_view text) {
    return {SettingsValueType::String, std::string(text)};
}

std::optional<std::int32_t> SettingsValue::toInt() const {
    if (bytes.size() != 4) {
        return std::nullopt;
    }
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) {
        bits |= static_cast<std::uint32_t>(
                    static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]))
                << (8 * i);
    }
    return static_cast<std::int32_t>(bits);
}

std::string SettingsValue::toText() const {
    return bytes.substr(0, bytes.find('\0'));
}

}  // namespace trundlex
