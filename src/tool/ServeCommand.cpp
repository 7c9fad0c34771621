// trundlex-tool serve: a dedicated network host without players of its own.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "Commands.h"
#include "CourseLookup.h"
#include "RoomHost.h"
#include "ServeHost.h"
#include "StopOrWake.h"
#include "ToolArguments.h"
#include "ToolFolders.h"
#include "level/Level.h"
#include "level/LevelFile.h"
#include "library/Course.h"
#include "library/LevelLibrary.h"
#include "net/NetGame.h"
#include "play/Match.h"

namespace trundlex::tool {

namespace {

constexpr CommandInfo kServe = {
    "serve",
    "serve [--port P] [--levels DIR] (--course FILE.cou | LEVEL.lev ... | --rooms [--courses DIR] "
    "[--course FILE.cou] [--max-rooms N] [limits]) [--start-when N] [--game-idle S] [--log-chat]",
    "Host a network game without players of its own: offer the levels, relay putts, aims and "
    "chat, and print one line per event until SIGINT or SIGTERM (exit 0). When the last client "
    "leaves, during a game or after its end, the game ends (\"over\") and the host listens on "
    "the same port for a new one. With --rooms it hosts many games at once, each in a room "
    "that players create with a course of the courses folder or today's course (drawn from the "
    "levels for the current UTC day) and join by the room's code; its event lines start with \"room CODE\". Clients of earlier versions play in a default "
    "room of --course when it is given."};

// The shipped levels folder (next to the program, or the installed data folder); "levels" in
// the working folder when there is none.
std::string programLevelsFolder() {
    const std::string shipped = shippedFolder("levels");
    return shipped.empty() ? std::string("levels") : shipped;
}

struct ServeOptions {
    long port = 49732;
    std::string levelsDir;
    std::string course;
    std::vector<std::string> levelFiles;
    long startWhen = 0;
    bool rooms = false;
    std::string coursesDir;
    long maxRooms = static_cast<long>(roomproto::DefaultMaxRooms);
    long gameIdle = 1800;
    long lobbyLimit = 1800;
    long rejoinWait = 300;
    // The web side: -1 without one.
    long httpPort = -1;
    std::string webDir;
    std::string httpAddress;
    std::vector<std::string> allowedOrigins;
    bool crossOriginIsolated = false;
    bool logChat = false;
    AddressLimits::Settings perAddress;
    long maxQueuedMib = 64;
};

// How often a room host writes its status line.
constexpr std::chrono::seconds kStatusInterval{60};

// nullopt to go on, or the exit code.
std::optional<int> parseOptions(std::span<const std::string> raw, ServeOptions& options,
                                std::ostream& out, std::ostream& err) {
    ToolArguments args(kServe);
    args.addArgumentList("LEVEL.lev", "Level files to play in this order, instead of a course.", 0)
        .addOption("port", "P",
                   "The TCP port to listen on, from 0 (any free one) to 65535 "
                   "(default 49732).")
        .addOption("levels", "DIR",
                   "The folder of level files that a course's levels are looked up in "
                   "(default: the shipped levels).")
        .addOption("course", "FILE.cou",
                   "The course to play: a file, or the name of a shipped or own course.")
        .addOption("start-when", "N",
                   "Start the game once N clients are connected and ready, from 1 to 1000 "
                   "(default 1).")
        .addFlag("rooms", "Host many games at once, in rooms joined by code.")
        .addOption("courses", "DIR",
                   "With --rooms: the folder of the courses offered (default: the shipped "
                   "courses).")
        .addOption("max-rooms", "N",
                   "With --rooms: the most rooms at once, from 1 to 100000 (default 1000).")
        .addOption("game-idle", "S",
                   "End a started game in which no client has sent anything for S seconds, "
                   "from 60 to 86400 (default 1800).")
        .addOption("lobby-limit", "S",
                   "With --rooms: close a room whose game has not started S seconds after its "
                   "creation, from 60 to 86400 (default 1800).")
        .addOption("rejoin-wait", "S",
                   "With --rooms: keep a started game whose last client has gone for S seconds, "
                   "so that its players can come back, from 0 to 86400 (default 300).")
        .addOption("http-port", "P",
                   "With --rooms: also serve HTTP on port P, from 0 (any free one) to 65535: "
                   "the web client's files (--web) and /healthz.")
        .addOption("http-address", "ADDRESS",
                   "With --http-port: the numeric address to listen on for HTTP (default: "
                   "every address; 127.0.0.1 behind a proxy on the same machine).")
        .addOption("allow-origin", "URLS",
                   "With --http-port: the origins (comma-separated, such as "
                   "https://golf.example.org) whose pages may open the game at /play "
                   "(default: the host's own).")
        .addFlag("cross-origin-isolation",
                 "With --web: send the headers a page needs for SharedArrayBuffer "
                 "(Cross-Origin-Opener-Policy and -Embedder-Policy).")
        .addOption("web", "DIR",
                   "With --http-port: the folder of the web client, served at / (index.html).")
        .addFlag("log-chat", "Log what players say in chat (by default only who spoke).")
        .addOption("max-connections-per-address", "N",
                   "With --rooms: connections one address (an IPv6 /64) may hold at once, "
                   "from 1 to 1024 (default 16).")
        .addOption("max-rooms-per-address", "N",
                   "With --rooms: rooms alive that one address may have created, from 1 to "
                   "1000 (default 4).")
        .addOption("rooms-per-minute", "N",
                   "With --rooms: rooms one address may create in a minute, from 1 to 1000 "
                   "(default 10).")
        .addOption("failed-joins", "N",
                   "With --rooms: joins with a wrong code after which an address may not join "
                   "for 10 minutes, counted over 10 minutes, from 1 to 1000 (default 20).")
        .addOption("max-queued-mib", "N",
                   "With --rooms: mebibytes waiting to be sent to all clients together before "
                   "the client with the longest queue is dropped, from 1 to 4096 (default 64).");
    if (const auto exit = args.parse(raw, out, err)) {
        return exit;
    }
    long connections = options.perAddress.connections;
    long roomsAlive = options.perAddress.roomsAlive;
    long perMinute = options.perAddress.creationsPerMinute;
    long failedJoins = options.perAddress.failedJoins;
    if (!args.readWhole("port", 0L, 65535L, options.port) ||
        !args.readWhole("start-when", 1L, 1000L, options.startWhen) ||
        !args.readWhole("max-rooms", 1L, 100000L, options.maxRooms) ||
        !args.readWhole("game-idle", 60L, 86400L, options.gameIdle) ||
        !args.readWhole("lobby-limit", 60L, 86400L, options.lobbyLimit) ||
        !args.readWhole("rejoin-wait", 0L, 86400L, options.rejoinWait) ||
        !args.readWhole("http-port", 0L, 65535L, options.httpPort) ||
        !args.readWhole("max-connections-per-address", 1L, 1024L, connections) ||
        !args.readWhole("max-rooms-per-address", 1L, 1000L, roomsAlive) ||
        !args.readWhole("rooms-per-minute", 1L, 1000L, perMinute) ||
        !args.readWhole("failed-joins", 1L, 1000L, failedJoins) ||
        !args.readWhole("max-queued-mib", 1L, 4096L, options.maxQueuedMib)) {
        return kUsageError;
    }
    options.perAddress.connections = static_cast<int>(connections);
    options.perAddress.roomsAlive = static_cast<int>(roomsAlive);
    options.perAddress.creationsPerMinute = static_cast<int>(perMinute);
    options.perAddress.failedJoins = static_cast<int>(failedJoins);
    options.logChat = args.isSet("log-chat");
    options.levelsDir = args.text("levels");
    options.course = args.text("course");
    options.levelFiles = args.positionals();
    options.rooms = args.isSet("rooms");
    options.coursesDir = args.text("courses");
    options.webDir = args.text("web");
    options.httpAddress = args.text("http-address");
    options.crossOriginIsolated = args.isSet("cross-origin-isolation");
    for (std::string origins = args.text("allow-origin"); !origins.empty();) {
        const std::size_t comma = origins.find(',');
        std::string origin = origins.substr(0, comma);
        origin.erase(0, origin.find_first_not_of(' '));
        origin.erase(origin.find_last_not_of(' ') + 1);
        if (!origin.empty()) {
            options.allowedOrigins.push_back(origin);
        }
        origins = comma == std::string::npos ? std::string() : origins.substr(comma + 1);
    }
    if (!options.webDir.empty() && !std::filesystem::is_directory(options.webDir)) {
        return args.refuse("--web " + options.webDir + ": no such folder");
    }
    if ((args.isSet("web") || args.isSet("http-address") || args.isSet("allow-origin") ||
         args.isSet("cross-origin-isolation")) &&
        !args.isSet("http-port")) {
        return args.refuse(
            "--web, --http-address, --allow-origin and --cross-origin-isolation need --http-port");
    }
    if (options.rooms) {
        if (!options.levelFiles.empty()) {
            return args.refuse("a room host offers courses, not level files");
        }
    } else if (args.isSet("courses") || args.isSet("max-rooms") || args.isSet("lobby-limit") ||
               args.isSet("rejoin-wait") || args.isSet("http-port") ||
               args.isSet("max-connections-per-address") || args.isSet("max-rooms-per-address") ||
               args.isSet("rooms-per-minute") || args.isSet("failed-joins") ||
               args.isSet("max-queued-mib")) {
        return args.refuse("--courses, --max-rooms, --lobby-limit, --rejoin-wait, --http-port "
                           "and the per-address limits belong to --rooms");
    } else if (options.course.empty() == options.levelFiles.empty()) {
        return args.refuse("give either --course FILE.cou or level files");
    }
    return std::nullopt;
}

// Fills the library and the match's hole list. 0, or 1 after telling why.
int loadLevels(const ServeOptions& options, LevelLibrary& library, Match& match,
               std::ostream& err) {
    if (!options.course.empty()) {
        library.scanFolder(options.levelsDir.empty() ? programLevelsFolder() : options.levelsDir,
                           true);
        Course course;
        if (!loadNamedCourse(options.course, course, err)) {
            return 1;
        }
        for (int i = 0; i < course.levelCount(); ++i) {
            if (library.findById(course.levelId(i)) < 0) {
                err << options.course << ": level " << course.levelId(i)
                    << " is not in the levels folder\n";
                return 1;
            }
            match.AddLevel(course.levelId(i));
        }
        // Set last: every change of the hole list empties the name.
        match.SetName(course.id());
    } else {
        if (!options.levelsDir.empty()) {
            library.scanFolder(options.levelsDir, true);
        }
        for (const std::string& path : options.levelFiles) {
            std::error_code error;
            if (!std::filesystem::is_regular_file(path, error)) {
                err << path << ": no such level file\n";
                return 1;
            }
            Level level;
            if (loadLevelFile(path, level) != LevelLoadResult::Loaded || level.id().empty()) {
                err << path << ": cannot be read as a level file with an ID\n";
                return 1;
            }
            if (library.isAcceptable(level)) {
                library.add(level);
            }
            match.AddLevel(level.id());
        }
    }
    if (match.LevelCount() == 0) {
        err << "the course has no levels\n";
        return 1;
    }
    library.sort();
    return 0;
}

int hostOneGame(const ServeOptions& options, LevelLibrary& library, Match& match, EventLog& log,
                StopOrWake& signals, std::ostream& err) {
    int result = 0;
    auto net = std::make_unique<NetGame>(library);
    ServeHost host(*net, match, library, log, static_cast<int>(options.startWhen),
                   [&signals] { signals.wake(); });
    host.logChatText(options.logChat);
    NetTimeouts timeouts;
    timeouts.gameIdle = std::chrono::seconds(options.gameIdle);
    net->setTimeouts(timeouts);
    {
        auto lock = net->lock();
        match.SetSoundForAllBalls(false);
    }
    net->setMatch(&match);
    net->addListener(&host);
    if (!net->startServer(static_cast<std::uint16_t>(options.port), &host)) {
        err << "cannot listen on port " << options.port << "\n";
        result = 1;
    } else {
        // A new lobby listens on the same port, so clients find the host again.
        const std::uint16_t port = net->listeningPort();
        log.line("listening " + std::to_string(port));
        while (!signals.waitForStop()) {
            if (host.takeLobbyRequest()) {
                if (!net->startServer(port, &host)) {
                    err << "cannot listen on port " << port << " again\n";
                    result = 1;
                    break;
                }
                log.line("listening " + std::to_string(port));
            }
            host.tryStart();
        }
    }
    // Ends every connection and waits for the network threads while the host, which a
    // delivery in progress may still be calling, is alive.
    net->clearListeners();
    net->detachLobby();
    net->announceHostStop();
    net->endGame();
    net.reset();
    return result;
}

int hostRooms(const ServeOptions& options, RoomHost::Settings settings, const LevelLibrary& library,
              EventLog& log, StopOrWake& signals, std::ostream& err) {
    RoomHost rooms(std::move(settings), library, log, [&signals] { signals.wake(); });
    const std::uint16_t port = rooms.listen(static_cast<std::uint16_t>(options.port));
    if (port == 0) {
        err << "cannot listen on port " << options.port << "\n";
        return 1;
    }
    std::uint16_t httpPort = 0;
    if (options.httpPort >= 0) {
        httpPort =
            rooms.listenHttp(static_cast<std::uint16_t>(options.httpPort), options.httpAddress);
        if (httpPort == 0) {
            err << "cannot listen on port " << options.httpPort << " for HTTP\n";
            return 1;
        }
    }
    log.line(rooms.startLine(port));
    // Second: whatever waits for "listening " takes the game's port first.
    log.line("listening " + std::to_string(port));
    if (httpPort != 0) {
        log.line("listening http " + std::to_string(httpPort));
    }
    auto nextStatus = std::chrono::steady_clock::now() + kStatusInterval;
    for (;;) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= nextStatus) {
            log.line(rooms.statusLine());
            nextStatus = now + kStatusInterval;
        }
        // Wakes for the status line and for the next lobby or empty game to run out.
        const auto left = rooms.untilNextExpiry(
            std::chrono::duration_cast<std::chrono::milliseconds>(nextStatus - now) +
            std::chrono::milliseconds(1));
        if (signals.waitForStop(left)) {
            break;
        }
        rooms.serviceRooms();
    }
    log.line(rooms.closingLine());
    return 0;
}

// Every level of `course` is in the library; otherwise false after saying which is not.
bool coursePlayable(const Course& course, const LevelLibrary& library, const std::string& what,
                    std::ostream& err) {
    for (int i = 0; i < course.levelCount(); ++i) {
        if (library.findById(course.levelId(i)) < 0) {
            err << what << ": level " << course.levelId(i) << " is not in the levels folder\n";
            return false;
        }
    }
    return course.levelCount() > 0;
}

// The library and the courses of a room host; nullopt after telling why it cannot run.
std::optional<RoomHost::Settings> loadRoomSettings(const ServeOptions& options,
                                                   LevelLibrary& library, std::ostream& err) {
    const std::string levelsFolder =
        options.levelsDir.empty() ? programLevelsFolder() : options.levelsDir;
    library.scanFolder(levelsFolder, true);
    library.sort();
    RoomHost::Settings settings;
    // Offered beside the courses of the folder when the levels have their table of pars.
    settings.dailyPool = dailyCandidates(library, levelsFolder, err);
    settings.startWhen = static_cast<int>(options.startWhen);
    settings.maxRooms = static_cast<std::size_t>(options.maxRooms);
    settings.perAddress = options.perAddress;
    settings.gameIdle = std::chrono::seconds(options.gameIdle);
    settings.lobbyLimit = std::chrono::seconds(options.lobbyLimit);
    settings.rejoinWait = std::chrono::seconds(options.rejoinWait);
    settings.webRoot = options.webDir;
    settings.allowedOrigins = options.allowedOrigins;
    settings.crossOriginIsolated = options.crossOriginIsolated;
    settings.maxQueuedBytes = static_cast<std::size_t>(options.maxQueuedMib) << 20;
    settings.logChat = options.logChat;
    std::string folder = options.coursesDir;
    if (folder.empty()) {
        folder = shippedFolder("courses");
    }
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".cou") {
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    // A course that cannot be played here is left out, with a word why; the rest are offered.
    for (const std::string& file : files) {
        Course course;
        if (!course.load(file)) {
            err << file << ": cannot be read as a course file\n";
        } else if (coursePlayable(course, library, file, err)) {
            settings.courses.push_back(std::move(course));
        }
    }
    if (!options.course.empty()) {
        Course course;
        if (!loadNamedCourse(options.course, course, err) ||
            !coursePlayable(course, library, options.course, err)) {
            return std::nullopt;
        }
        const auto same = std::find_if(settings.courses.begin(), settings.courses.end(),
                                       [&](const Course& c) { return c.name() == course.name(); });
        settings.defaultCourse = static_cast<std::size_t>(same - settings.courses.begin());
        if (same == settings.courses.end()) {
            settings.courses.push_back(std::move(course));
        }
        settings.defaultRoom = true;
    }
    if (settings.courses.empty() && settings.dailyPool.empty()) {
        err << "no course to offer in " << folder << "\n";
        return std::nullopt;
    }
    return settings;
}

int serve(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    ServeOptions options;
    if (const auto exit = parseOptions(args, options, out, err)) {
        return *exit;
    }
    LevelLibrary library("");
    Match match;
    std::optional<RoomHost::Settings> rooms;
    if (options.rooms) {
        rooms = loadRoomSettings(options, library, err);
        if (!rooms) {
            return 1;
        }
    } else if (const int failed = loadLevels(options, library, match, err); failed != 0) {
        return failed;
    }

    StopOrWake signals;
    if (!signals.ok()) {
        err << "cannot create a pipe\n";
        return 1;
    }

    EventLog log(out);
    return rooms ? hostRooms(options, std::move(*rooms), library, log, signals, err)
                 : hostOneGame(options, library, match, log, signals, err);
}

}  // namespace

std::vector<Command> serveCommands() {
    return {{kServe, serve}};
}

}  // namespace trundlex::tool
