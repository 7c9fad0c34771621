#include <fstream>
#include <iostream>
#include <vector>

#include "Commands.h"
#include "ToolArguments.h"
#include "level/Archive.h"
#include "level/Level.h"
#include "level/LevelFile.h"
#include "level/LevelId.h"
#include "util/SafeFile.h"
#include "util/TextNumbers.h"

namespace trundlex::tool {

namespace {

// The level text inside a .lev file, without parsing it.
bool readLevelFileText(const std::string& path, std::string& text, std::ostream& err) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        err << "cannot open " << path << "\n";
        return false;
    }
    ArchiveReader archive(in);
    if (!archive.readString(text)) {
        err << path << ": not a level file (it ends before its level text is complete)\n";
        return false;
    }
    Level probe;
    if (!probe.fromText(text)) {
        err << path << ": not a level file (its text is not a valid level)\n";
        return false;
    }
    return true;
}

constexpr CommandInfo kLevelText = {
    "level-text", "level-text FILE.lev",
    "Write the level text stored in a level file to standard output."};
constexpr CommandInfo kLevelPack = {
    "level-pack", "level-pack [--new-id] TEXTFILE OUT.lev",
    "Check a level text and store it as a level file, keeping its ID (--new-id: give it a fresh "
    "ID as the editor does on save)."};
constexpr CommandInfo kLevelInfo = {
    "level-info", "level-info FILE.lev",
    "Print name, creator, ID, size and start position of a level file."};

int levelText(std::span<const std::string> raw, std::ostream& out, std::ostream& err) {
    ToolArguments args(kLevelText);
    args.addArgument("FILE.lev", "The level file to read.");
    if (const auto exit = args.parse(raw, out, err)) {
        return *exit;
    }
    std::string text;
    if (!readLevelFileText(args.positionals()[0], text, err)) {
        return 1;
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return out ? 0 : 1;
}

int levelPack(std::span<const std::string> raw, std::ostream& out, std::ostream& err) {
    ToolArguments args(kLevelPack);
    args.addArgument("TEXTFILE", "The level text to check.")
        .addArgument("OUT.lev", "The level file to write; an existing one is replaced.")
        .addFlag("new-id", "Give the level a fresh ID made from its blocks and the local time.");
    if (const auto exit = args.parse(raw, out, err)) {
        return *exit;
    }
    const bool newId = args.isSet("new-id");
    const std::vector<std::string>& files = args.positionals();
    std::string text;
    if (!readWholeFile(files[0], text)) {
        err << "cannot read " << files[0] << "\n";
        return 1;
    }
    Level level;
    if (!level.fromText(text)) {
        err << files[0] << ": not a valid level text\n";
        return 1;
    }
    // Without --new-id the level is written as parsed, keeping its ID: packing is not an
    // edit. With it, the level gets a fresh ID from its blocks and the local time, as the
    // editor gives one on every save.
    if (newId) {
        level.setId(makeLevelId(level, systemLocalClock()()));
    }
    std::string error;
    if (!writeFileSafely(files[1], encodeArchiveString(level.toText()), &error)) {
        err << error << "\n";
        return 1;
    }
    out << "wrote " << files[1] << " (" << level.width() << " x " << level.height() << ")";
    if (newId) {
        out << " with ID " << level.id();
    }
    out << "\n";
    return 0;
}

int levelInfo(std::span<const std::string> raw, std::ostream& out, std::ostream& err) {
    ToolArguments args(kLevelInfo);
    args.addArgument("FILE.lev", "The level file to describe.");
    if (const auto exit = args.parse(raw, out, err)) {
        return *exit;
    }
    const std::string& file = args.positionals()[0];
    Level level;
    if (loadLevelFile(file, level) != LevelLoadResult::Loaded) {
        err << file << ": cannot be read as a level file\n";
        return 1;
    }
    out << "name: " << level.name() << "\n"
        << "creator: " << level.creator() << "\n"
        << "id: " << level.id() << "\n"
        << "width: " << level.width() << "\n"
        << "height: " << level.height() << "\n"
        << "start: " << formatFixed6(level.startX()) << " " << formatFixed6(level.startY()) << "\n";
    return 0;
}

}  // namespace

std::vector<Command> levelCommands() {
    return {{kLevelText, levelText}, {kLevelPack, levelPack}, {kLevelInfo, levelInfo}};
}

}  // namespace trundlex::tool
