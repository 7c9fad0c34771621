#include <fstream>
#include <iostream>
#include <vector>

#include "Commands.h"
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

int levelText(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: trundlex-tool level-text FILE.lev\n";
        return 2;
    }
    std::string text;
    if (!readLevelFileText(args[0], text, err)) {
        return 1;
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return out ? 0 : 1;
}

constexpr const char* kPackUsage = "usage: trundlex-tool level-pack [--new-id] TEXTFILE OUT.lev\n";

int levelPack(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    bool newId = false;
    std::vector<std::string> files;
    for (const std::string& a : args) {
        if (a == "--new-id") {
            newId = true;
        } else if (a.starts_with("--")) {
            err << "unknown option: " << a << "\n" << kPackUsage;
            return 2;
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) {
        err << kPackUsage;
        return 2;
    }
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

int levelInfo(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: trundlex-tool level-info FILE.lev\n";
        return 2;
    }
    Level level;
    if (loadLevelFile(args[0], level) != LevelLoadResult::Loaded) {
        err << args[0] << ": cannot be read as a level file\n";
        return 1;
    }
    out << "name: " << level.name() << "\n"
        << "creator: " << level.creator() << "\n"
        << "id: " << level.id() << "\n"
        << "width: " << level.width() << "\n"
        << "height: " << level.height() << "\n"
        << "start: " << formatFixed6(level.startX()) << " " << formatFixed6(level.startY())
        << "\n";
    return 0;
}

}  // namespace

std::vector<Command> levelCommands() {
    return {
        {"level-text", "level-text FILE.lev",
         "Write the level text stored in a level file to standard output.", levelText},
        {"level-pack", "level-pack [--new-id] TEXTFILE OUT.lev",
         "Check a level text and store it as a level file, keeping its ID (--new-id: give it a "
         "fresh ID as the editor does on save).",
         levelPack},
        {"level-info", "level-info FILE.lev",
         "Print name, creator, ID, size and start position of a level file.", levelInfo},
    };
}

}  // namespace trundlex::tool
