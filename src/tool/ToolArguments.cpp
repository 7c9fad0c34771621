#include "ToolArguments.h"

#include <algorithm>
#include <cmath>
#include <iostream>

#include "util/TextNumbers.h"

namespace trundlex::tool {

namespace {

std::string describe(const NumberRule& rule) {
    std::string what = rule.whole ? "a whole number" : "a number";
    const bool low = std::isfinite(rule.low);
    const bool high = std::isfinite(rule.high);
    if (low && high && !rule.aboveLow) {
        return what + " from " + formatExact(rule.low) + " to " + formatExact(rule.high);
    }
    if (low) {
        what += (rule.aboveLow ? " above " : " of at least ") + formatExact(rule.low);
    }
    if (high) {
        what += (low ? " and at most " : " of at most ") + formatExact(rule.high);
    }
    return what;
}

// Writes `text` in lines of at most `width` columns (longer words stay whole), every line
// after the first indented by `indent` spaces.
void writeWrapped(std::ostream& out, std::string_view text, std::size_t indent,
                  std::size_t width = 80) {
    std::size_t column = indent;
    bool first = true;
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        const std::string_view word = text.substr(0, space);
        text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
        if (!first && column + 1 + word.size() > width) {
            out << "\n" << std::string(indent, ' ');
            column = indent;
        } else if (!first) {
            out << ' ';
            ++column;
        }
        out << word;
        column += word.size();
        first = false;
    }
    out << "\n";
}

}  // namespace

ToolArguments::ToolArguments(const CommandInfo& command) : command_(command) {}

ToolArguments& ToolArguments::addArgument(std::string name, std::string help) {
    arguments_.push_back({std::move(name), {}, std::move(help)});
    return *this;
}

ToolArguments& ToolArguments::addArgumentList(std::string name, std::string help,
                                              std::size_t atLeast) {
    list_ = Declared{std::move(name), {}, std::move(help)};
    listAtLeast_ = atLeast;
    return *this;
}

ToolArguments& ToolArguments::addFlag(std::string name, std::string help) {
    options_.push_back({std::move(name), {}, std::move(help)});
    return *this;
}

ToolArguments& ToolArguments::addOption(std::string name, std::string valueName, std::string help) {
    options_.push_back({std::move(name), std::move(valueName), std::move(help)});
    return *this;
}

ToolArguments& ToolArguments::addRequiredOption(std::string name, std::string valueName,
                                                std::string help) {
    options_.push_back({std::move(name), std::move(valueName), std::move(help), true});
    return *this;
}

std::optional<int> ToolArguments::parse(std::span<const std::string> args, std::ostream& out,
                                        std::ostream& err) {
    err_ = &err;
    // The first unknown option and the first other mistake; an unknown option is named first,
    // since a value it was meant to take may have been read as something else.
    std::string unknown;
    std::string mistake;
    const auto noteMistake = [&](std::string what) {
        if (mistake.empty()) {
            mistake = std::move(what);
        }
    };
    bool wantsHelp = false;
    bool onlyPositionals = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // "-" alone is a file name by custom (standard input); after "--" everything is.
        if (onlyPositionals || arg.size() < 2 || arg[0] != '-') {
            positionals_.push_back(arg);
            continue;
        }
        if (arg == "--") {
            onlyPositionals = true;
            continue;
        }
        // "-name" means "--name": no option has a one-letter form that could be bundled.
        const std::size_t equals = arg.find('=');
        const std::string written = arg.substr(0, equals);
        const std::string name = written.substr(arg.starts_with("--") ? 2 : 1);
        const auto declared = std::find_if(options_.begin(), options_.end(),
                                           [&](const Declared& o) { return o.name == name; });
        const bool isHelp = name == "h" || name == "help";
        if (!isHelp && declared == options_.end()) {
            if (unknown.empty()) {
                unknown = written;
            }
            continue;
        }
        const bool takesValue = !isHelp && !declared->valueName.empty();
        if (!takesValue && equals != std::string::npos) {
            noteMistake("unexpected value after " + written);
        } else if (isHelp) {
            wantsHelp = true;
        } else if (!takesValue) {
            given_[name];
        } else if (equals != std::string::npos) {
            given_[name].push_back(arg.substr(equals + 1));
        } else if (i + 1 < args.size()) {
            given_[name].push_back(args[++i]);
        } else {
            noteMistake("missing value after " + written);
        }
    }
    if (!unknown.empty()) {
        return refuse("unknown option: " + unknown);
    }
    if (!mistake.empty()) {
        return refuse(mistake);
    }
    if (wantsHelp) {
        printHelp(out);
        return 0;
    }
    for (const Declared& option : options_) {
        if (option.required && !isSet(option.name)) {
            return refuse("missing option: --" + option.name);
        }
    }
    const std::size_t fixed = arguments_.size();
    if (positionals_.size() < fixed) {
        return refuse("missing argument: " + arguments_[positionals_.size()].name);
    }
    if (list_ && positionals_.size() < fixed + listAtLeast_) {
        return refuse("missing argument: " + list_->name);
    }
    if (!list_ && positionals_.size() > fixed) {
        return refuse("unexpected argument: " + positionals_[fixed]);
    }
    return std::nullopt;
}

bool ToolArguments::isSet(std::string_view option) const {
    return given_.find(option) != given_.end();
}

std::string ToolArguments::text(std::string_view option) const {
    const std::vector<std::string>& values = valuesOf(option);
    return values.empty() ? std::string() : values.back();
}

const std::vector<std::string>& ToolArguments::valuesOf(std::string_view option) const {
    static const std::vector<std::string> none;
    const auto it = given_.find(option);
    return it == given_.end() ? none : it->second;
}

bool ToolArguments::readNumber(std::string_view option, const NumberRule& rule, double& value) {
    for (const std::string& text : valuesOf(option)) {
        const char* first = text.data();
        const char* last = first + text.size();
        if (rule.leadingPlus && first != last && *first == '+') {
            ++first;
        }
        double parsed = 0.0;
        const auto [end, error] = readDouble(first, last, parsed);
        const bool fits = error == std::errc() && end == last && std::isfinite(parsed) &&
                          (rule.aboveLow ? parsed > rule.low : parsed >= rule.low) &&
                          parsed <= rule.high && (!rule.whole || parsed == std::trunc(parsed));
        if (!fits) {
            return refuseValue(option, text, describe(rule));
        }
        value = parsed;
    }
    return true;
}

bool ToolArguments::refuseValue(std::string_view option, const std::string& text,
                                std::string_view takes) {
    refuse("--" + std::string(option) + " takes " + std::string(takes) + ", not \"" + text + "\"");
    return false;
}

int ToolArguments::refuse(std::string_view message) {
    *err_ << message << "\nusage: trundlex-tool " << command_.usage << "\n";
    return kUsageError;
}

void ToolArguments::printHelp(std::ostream& out) const {
    struct Row {
        std::string left;
        std::string help;
    };
    std::vector<Row> positionals;
    for (const Declared& a : arguments_) {
        positionals.push_back({a.name, a.help});
    }
    if (list_) {
        positionals.push_back({list_->name + "...", list_->help});
    }
    std::vector<Row> options;
    for (const Declared& o : options_) {
        std::string left = "--" + o.name;
        if (!o.valueName.empty()) {
            left += " " + o.valueName;
        }
        options.push_back({left, o.help + (o.required ? " Required." : "")});
    }
    options.push_back({"-h, --help", "Show this help."});

    std::size_t width = 0;
    for (const auto* rows : {&positionals, &options}) {
        for (const Row& row : *rows) {
            width = std::max(width, row.left.size());
        }
    }
    const std::size_t indent = 2 + width + 2;
    out << "usage: trundlex-tool " << command_.usage << "\n\n";
    writeWrapped(out, command_.summary, 0);
    for (const auto& [title, rows] :
         {std::pair{"Arguments:", &positionals}, std::pair{"Options:", &options}}) {
        if (rows->empty()) {
            continue;
        }
        out << "\n" << title << "\n";
        for (const Row& row : *rows) {
            out << "  " << row.left << std::string(indent - 2 - row.left.size(), ' ');
            writeWrapped(out, row.help, indent);
        }
    }
}

}  // namespace trundlex::tool
