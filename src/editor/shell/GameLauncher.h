#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <functional>

namespace trundlex {

// Starts the game on a level file, for the editor's File > Play in game: the game program
// plays a level named on its command line at once, for one player.
class GameLauncher {
    Q_DECLARE_TR_FUNCTIONS(GameLauncher)

public:
    // Starts `program` with `arguments` on its own; false when it could not be started.
    using Starter = std::function<bool(const QString& program, const QStringList& arguments)>;

    // `program`: the game's executable, by default the one beside the editor's (both are
    // built and installed into one folder). `start`: by default a detached process, which
    // goes on when the editor ends.
    explicit GameLauncher(QString program = gameProgram(), Starter start = {});

    // The game's executable beside the running editor.
    static QString gameProgram();

    // Starts the game on the level file at `levelPath`. False, with what to tell the user in
    // `error`, when the game program is missing or could not be started.
    bool play(const QString& levelPath, QString* error) const;

private:
    QString program_;
    Starter start_;
};

}  // namespace trundlex
