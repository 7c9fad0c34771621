#pragma once

#include <string>

#include "net/RoomProtocol.h"
#include "play/ComputerPlayer.h"

namespace trundlex {

class CourseLibrary;
class GameSettings;
class GhostStore;
class HoleRates;
class HighScoreStore;
class LevelLibrary;
class ParCache;
class RandomSource;
class SoundPlayer;

// What the game's windows share for the whole run; owned by the application.
struct GameContext {
    LevelLibrary& levels;
    CourseLibrary& courses;
    HighScoreStore& highScores;
    // Where the high scores are saved; empty: not saved.
    std::string highScorePath;
    GameSettings& settings;
    // The program's one random sequence: colours, random courses, the aim's tremble.
    RandomSource& random;
    SoundPlayer* sound = nullptr;
    // The folder holding "levels" and "courses"; new course files are saved below it.
    std::string programFolder;
    // How the last new game was set up: 0 on this computer, 1 as a network server, 2 as a
    // client, 3 online (a client in a room of a room host). One value for the whole run.
    int networkMode = 0;
    // Online: the room to create or join.
    roomproto::Request roomRequest{};
    // The levels' pars, worked out as games use them; null shows none.
    ParCache* pars = nullptr;
    // Who plays the players of a computer that leaves a network game (the new-game wizard's
    // choice): a stand-in, so that nobody waits for a person to notice. One value per run.
    ComputerStrength departedHand = ComputerStrength::Medium;
    // The best round of every course finished here, for the ghost; null keeps none.
    GhostStore* ghosts = nullptr;
    // Where they are saved; empty: not saved.
    std::string ghostPath{};
    // How often a careful person holes the shipped levels out within par; null: not known.
    const HoleRates* holeRates = nullptr;
};

}  // namespace trundlex
