// A program that finishes games: it reads the high-score file as the game does at start, says
// "ready", waits for one byte on its input (so that two of them start writing at the same
// moment) and then adds one result per round, on the course "course N" of round N, saving
// after each like the game does when a game ends.
// Usage: highscore-writer FILE NAME ROUNDS
#include <unistd.h>

#include <cstdio>
#include <string>

#include "library/HighScoreStore.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: highscore-writer FILE NAME ROUNDS\n");
        return 2;
    }
    const std::string path = argv[1];
    trundlex::HighScoreStore store;
    store.load(path);
    std::printf("ready\n");
    std::fflush(stdout);
    char go = 0;
    if (::read(STDIN_FILENO, &go, 1) != 1) {
        return 3;
    }
    const int rounds = std::stoi(argv[3]);
    for (int round = 0; round < rounds; ++round) {
        store.addNow("course " + std::to_string(round), argv[2], 40 + round);
        std::string error;
        if (!store.save(path, &error)) {
            std::fprintf(stderr, "highscore-writer: %s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}
