#pragma once

#include <QString>
#include <string_view>

namespace trundlex {

// The folder of the running executable. Works without a Qt application object too (the
// command-line tool), then read from /proc/self/exe.
QString programFolder();
// A data folder shipped with the programs ("levels", "sounds", "RBites", "Manual", ...), the
// first that exists of: next to the executable (a build tree), share/trundlex/ beside the
// executable's bin/ (an installation under any prefix), and "trundlex/" in each of the
// standard data locations (XDG_DATA_HOME, then XDG_DATA_DIRS). Empty when none exists.
QString dataFolder(const QString& name);
// Where this user's own files for the data folder `name` ("levels", "courses") are written:
// the folder next to the executable when there is one this user may write into (a build
// tree), else `name` under userDataFolder(), which the game reads as well. An installed data
// folder is never chosen. Not created here.
QString userWritableFolder(const QString& name);
// The folder that relative sound names are looked up in: the parent of "sounds".
QString soundBaseFolder();

// The per-user folder for the game's own files such as "highscore.dat", ending in
// "Trundlex/" (on Linux under the XDG data home). Not created here.
QString userDataFolder();

// A byte string of the core as display text: UTF-8, or Latin-1 when the bytes are not valid
// UTF-8 (levels written on older Windows systems).
QString toDisplayText(std::string_view bytes);

// One turn of the GUI event loop for code that waits for a worker (Ball::Stop): handles what
// is pending, then pauses briefly. False once the application is shutting down.
bool pumpGuiEvents();

}  // namespace trundlex
