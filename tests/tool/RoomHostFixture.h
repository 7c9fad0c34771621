#pragma once
// A room host as a real process on a free port, with two holes and two courses of them in
// a temporary folder, and the room protocol's steps its tests share.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "RoomHost.h"
#include "level/Archive.h"
#include "library/Course.h"
#include "support/AsciiLevel.h"
#include "support/ChildProcess.h"
#include "support/RoomPeer.h"
#include "support/ScriptedRandom.h"
#include "support/TempFolder.h"

namespace trundlex::testing {

class RoomHostProcessTest : public ::testing::TestWithParam<std::string> {
protected:
    // Two holes, and two courses of them in a folder of their own.
    void SetUp() override {
        const std::vector<std::vector<std::string_view>> layouts = {
            {"#########", "#.......#", "#.....O.#", "#########"},
            {"#########", "#....O..#", "#.......#", "#########"},
        };
        std::vector<std::string> ids;
        for (std::size_t i = 0; i < layouts.size(); ++i) {
            Level level = asciiLevel(layouts[i]);
            level.setId("room-test-level-" + std::to_string(i + 1));
            level.setStart(1.5, 2.5);
            folder.write("levels/hole" + std::to_string(i + 1) + ".lev",
                         encodeArchiveString(level.toText()));
            ids.push_back(level.id());
        }
        folder.write("courses/.keep", "");
        for (const auto& [file, name, holes] : {std::tuple{"one.cou", "Room Test One", 2},
                                                std::tuple{"two.cou", "Room Test Two", 1}}) {
            Course course;
            course.setPath(folder / (std::string("courses/") + file));
            course.setName(name);
            for (int i = 0; i < holes; ++i) {
                course.addLevelId(ids[static_cast<std::size_t>(i)]);
            }
            ScriptedRandom random({7});
            ASSERT_TRUE(course.save(random));
        }
    }
    void TearDown() override {
        EXPECT_EQ(host.untimedLines(), std::vector<std::string>{})
            << "every event line starts with its UTC time";
        if (HasFailure()) {
            for (const std::string& line : host.lines()) {
                std::cout << "host: " << line << "\n";
            }
        }
    }

    // Starts "serve --rooms" on a free port with the test's folders and `args`; the port.
    std::uint16_t startHost(std::vector<std::string> args = {}) {
        args.insert(args.begin(), {"serve", "--rooms", "--port", "0", "--levels", folder / "levels",
                                   "--courses", folder / "courses"});
        host.expectTimedLines();
        EXPECT_TRUE(host.start(TRUNDLEX_TOOL_PATH, args));
        const auto listening = host.waitForLine("listening ");
        EXPECT_TRUE(listening.has_value()) << "the host printed no port";
        return listening ? static_cast<std::uint16_t>(std::stoi(listening->substr(10))) : 0;
    }
    std::string address() const { return GetParam(); }

    // Lets a room's clients (creator first) start it: each ready, the creator asks, each
    // confirms "G" and sees "S".
    static void start(const std::vector<RoomPeer*>& peers) {
        for (RoomPeer* peer : peers) {
            peer->send("R");
        }
        peers.front()->send(std::string(1, roomproto::StartRequest));
        for (RoomPeer* peer : peers) {
            ASSERT_TRUE(peer->next('G')) << "the room did not start";
            peer->send("D");
        }
        for (RoomPeer* peer : peers) {
            ASSERT_TRUE(peer->next('S'));
        }
    }

    TempFolder folder;
    ChildProcess host;
};

// The room host in this process, offering one course ("Short", of level r1), for tests that
// set its limits short enough to watch them act.
class RoomHostTest : public ::testing::Test {
protected:
    RoomHostTest() {
        library.add(testLevel("r1"));
        Course course;
        course.setPath("/nowhere/short.cou");
        course.setName("Short");
        course.addLevelId("r1");
        settings.courses.push_back(course);
    }
    // Starts the host; its door's port.
    std::uint16_t start() {
        host = std::make_unique<tool::RoomHost>(settings, library, log, [] {});
        return host->listen(0);
    }
    // Starts the host with its web side too; the web side's port (the door's in doorPort).
    std::uint16_t startWeb() {
        doorPort = start();
        return host->listenHttp(0);
    }
    // Lets the main thread's part run until `done` holds (or Patience has passed).
    bool serviceUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + Patience;
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            host->serviceRooms();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return done();
    }

    LevelLibrary library{"/nonexistent-trundlex-folder"};
    tool::RoomHost::Settings settings;
    std::ostringstream events;
    tool::EventLog log{events};
    std::unique_ptr<tool::RoomHost> host;
    std::uint16_t doorPort = 0;
};

}  // namespace trundlex::testing
