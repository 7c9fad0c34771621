#include "ToolArguments.h"

#include <QCommandLineParser>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <iostream>

#include "util/TextNumbers.h"

namespace trundlex::tool {

namespace {

// Arguments are bytes in whatever encoding the file names have. Latin-1 turns every byte into
// one character and back into the same byte, so nothing is lost on the way through Qt.
QString fromBytes(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string toBytes(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// The unknown option as it was written ("-x", "--name"), for the message.
std::string spelling(const std::string& name, std::span<const std::string> args) {
    for (const std::string& a : args) {
        if (a == "--") {
            break;
        }
        std::string_view word = a;
        const std::string_view dashes = word.starts_with("--") ? "--" : "-";
        if (!word.starts_with(dashes)) {
            continue;
        }
        word = word.substr(0, word.find('='));
        if (word.substr(dashes.size()) == name) {
            return std::string(word);
        }
    }
    return "--" + name;
}

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
    QCommandLineParser parser;
    // "-name" means "--name": no option has a one-letter form that could be bundled.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(help);
    for (const Declared& option : options_) {
        parser.addOption(
            QCommandLineOption(fromBytes(option.name), QString(), fromBytes(option.valueName)));
    }
    QStringList list{QString::fromLatin1(command_.name)};
    for (const std::string& a : args) {
        list << fromBytes(a);
    }
    if (!parser.parse(list)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            return refuse("unknown option: " + spelling(toBytes(unknown.first()), args));
        }
        return refuse(toBytes(parser.errorText()));
    }
    if (parser.isSet(help)) {
        printHelp(out);
        return 0;
    }

    for (const Declared& option : options_) {
        const QString name = fromBytes(option.name);
        if (parser.isSet(name)) {
            std::vector<std::string>& values = given_[option.name];
            for (const QString& value : parser.values(name)) {
                values.push_back(toBytes(value));
            }
        } else if (option.required) {
            return refuse("missing option: --" + option.name);
        }
    }
    for (const QString& positional : parser.positionalArguments()) {
        positionals_.push_back(toBytes(positional));
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
        const auto [end, error] = std::from_chars(first, last, parsed);
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
