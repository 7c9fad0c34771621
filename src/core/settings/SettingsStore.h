#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trundlex {

// The kinds of stored values; the numbers are those of the registry types they stand for,
// so a store that keeps the type keeps these numbers.
enum class SettingsValueType : std::uint32_t {
    String = 1,  // text, stored without a terminating zero
    Binary = 3,  // raw bytes; integers are 4 bytes, little-endian
};

// One stored value: its type and its bytes.
struct SettingsValue {
    SettingsValueType type = SettingsValueType::Binary;
    std::string bytes;

    // A 32-bit integer as 4 little-endian bytes.
    static SettingsValue fromInt(std::int32_t value);
    static SettingsValue fromString(std::string_view text);
    // The integer held in exactly 4 bytes, or nothing for a value of any other size.
    std::optional<std::int32_t> toInt() const;
    // The text up to the first zero byte, whatever the type.
    std::string toText() const;

    friend bool operator==(const SettingsValue&, const SettingsValue&) = default;
};

// A per-user key-value store for settings. Keys are paths of names joined by a backslash,
// such as "Software\Brackwater Works\Trundlex\network"; each key holds named values.
// Implementations report failures by their results only and never throw.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // Creates `key` (and the keys above it) when missing. False when that fails.
    virtual bool createKey(const std::string& key) = 0;
    // The value `name` of `key`, or nothing when the key or the value does not exist or
    // cannot be read.
    virtual std::optional<SettingsValue> read(const std::string& key, const std::string& name) = 0;
    // Stores the value `name` of `key`, creating the key when missing, and with `flush`
    // makes it durable at once. False when that fails.
    virtual bool write(const std::string& key, const std::string& name, const SettingsValue& value,
                       bool flush) = 0;
};

}  // namespace trundlex
