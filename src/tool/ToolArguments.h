#pragma once

#include <charconv>
#include <concepts>
#include <iosfwd>
#include <limits>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Commands.h"

namespace trundlex::tool {

// What a number option takes beyond being a finite decimal number.
struct NumberRule {
    double low = -std::numeric_limits<double>::infinity();
    double high = std::numeric_limits<double>::infinity();
    bool aboveLow = false;     // low itself is refused
    bool whole = false;        // "2" and "2.0" pass, "2.5" does not
    bool leadingPlus = false;  // "+2" reads as 2
};

// The arguments of one command: the command declares its positional arguments and options
// with a help text each, then reads them, typed. Every command thereby gets a --help of its
// own and the same messages for the same mistakes, each naming the argument at fault.
//
// Numbers are read with std::from_chars (whole numbers) and readDouble (fractions), so a locale
// never changes what they mean.
class ToolArguments {
public:
    explicit ToolArguments(const CommandInfo& command);

    // Declarations, in the order --help lists them. Positional arguments come in the order
    // they are declared; a list takes all that follow and must come last.
    ToolArguments& addArgument(std::string name, std::string help);
    ToolArguments& addArgumentList(std::string name, std::string help, std::size_t atLeast);
    ToolArguments& addFlag(std::string name, std::string help);
    ToolArguments& addOption(std::string name, std::string valueName, std::string help);
    ToolArguments& addRequiredOption(std::string name, std::string valueName, std::string help);

    // Reads the arguments after the command's name. nullopt when the command goes on;
    // otherwise the exit code to end with: 0 after printing the help on `out`, kUsageError
    // after naming what is wrong on `err`. `err` must outlive this object.
    std::optional<int> parse(std::span<const std::string> args, std::ostream& out,
                             std::ostream& err);

    // After parse: the positional arguments, in their order.
    const std::vector<std::string>& positionals() const { return positionals_; }
    // Whether a flag or option was given.
    bool isSet(std::string_view option) const;
    // An option's value, the last one when it was given more than once; "" when not given.
    std::string text(std::string_view option) const;

    // Stores an option's value in `value` when it was given; leaves `value` alone when not.
    // Every value given is checked (the last one counts); false after refusing a bad one.
    bool readNumber(std::string_view option, const NumberRule& rule, double& value);
    template <std::integral T>
    bool readWhole(std::string_view option, T low, T high, T& value);

    // Ends the command as called the wrong way: `message` and the usage line on `err`.
    int refuse(std::string_view message);

    void printHelp(std::ostream& out) const;

private:
    struct Declared {
        std::string name;
        std::string valueName;  // empty for flags and positional arguments
        std::string help;
        bool required = false;
    };

    const std::vector<std::string>& valuesOf(std::string_view option) const;
    bool refuseValue(std::string_view option, const std::string& text, std::string_view takes);

    const CommandInfo command_;
    std::vector<Declared> arguments_;
    std::optional<Declared> list_;
    std::size_t listAtLeast_ = 0;
    std::vector<Declared> options_;

    std::ostream* err_ = nullptr;
    std::vector<std::string> positionals_;
    std::map<std::string, std::vector<std::string>, std::less<>> given_;
};

template <std::integral T>
bool ToolArguments::readWhole(std::string_view option, T low, T high, T& value) {
    for (const std::string& text : valuesOf(option)) {
        T parsed{};
        const char* last = text.data() + text.size();
        const auto [end, error] = std::from_chars(text.data(), last, parsed);
        if (error != std::errc() || end != last || parsed < low || parsed > high) {
            return refuseValue(
                option, text,
                "a whole number from " + std::to_string(low) + " to " + std::to_string(high));
        }
        value = parsed;
    }
    return true;
}

}  // namespace trundlex::tool
