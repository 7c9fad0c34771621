#pragma once

#include <QString>
#include <string_view>

namespace trundlex {

// The folder of the running executable.
QString programFolder();
// A data folder shipped with the programs ("levels", "sounds", ...): next to the executable
// when it is there (a build tree or a Windows-style install), else the installed
// share/trundlex/ beside the executable's bin/. Empty when neither exists.
QString dataFolder(const QString& name);
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
