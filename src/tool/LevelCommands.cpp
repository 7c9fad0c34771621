#include <fstream>
#include <iostream>

#include "Commands.h"
#include "level/Archive.h"
#include "level/Level.h"
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

int levelPack(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        err << "usage: trundlex-tool level-pack TEXTFILE OUT.lev\n";
        return 2;
    }
    std::string text;
    if (!readWholeFile(args[0], text)) {
        err << "cannot read " << args[0] << "\n";
        return 1;
    }
    Level level;
    if (!level.fromText(text)) {
        err << args[0] << ": not a valid level text\n";
        return 1;
    }
    // Written as parsed, keeping its ID: packing is not an edit.
    std::string error;
    if (!writeFileSafely(args[1], encodeArchiveString(level.toText()), &error)) {
        err << error << "\n";
        return 1;
    }
    out << "wrote " << args[1] << " (" << level.width() << " x " << level.height() << ")\n";
    return 0;
}

int levelInfo(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: trundlex-tool level-info FILE.lev\n";
        return 2;
    }
    Level level;
    if (!level.loadFromFile(args[0])) {
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
        {"level-pack", "level-pack TEXTFILE OUT.lev",
         "Check a level text and store it as a level file, keeping its ID.", levelPack},
        {"level-info", "level-info FILE.lev",
         "Print name, creator, ID, size and start position of a level file.", levelInfo},
    };
}

}  // namespace trundlex::tool
