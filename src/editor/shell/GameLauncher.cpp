#include "GameLauncher.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include "platform/PlatformSupport.h"

namespace trundlex {

GameLauncher::GameLauncher(QString program, Starter start)
    : program_(std::move(program)), start_(std::move(start)) {
    if (!start_) {
        start_ = [](const QString& program, const QStringList& arguments) {
            return QProcess::startDetached(program, arguments);
        };
    }
}

QString GameLauncher::gameProgram() {
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("trundlex.exe");
#else
    const QString name = QStringLiteral("trundlex");
#endif
    return QDir(programFolder()).filePath(name);
}

bool GameLauncher::play(const QString& levelPath, QString* error) const {
    const QFileInfo program(program_);
    if (!program.isFile() || !program.isExecutable()) {
        if (error) {
            *error = tr("The game could not be started: %1 was not found beside the editor.")
                         .arg(QDir::toNativeSeparators(program_));
        }
        return false;
    }
    // Whole, so that the game finds the file from its own working folder.
    if (!start_(program_, {QFileInfo(levelPath).absoluteFilePath()})) {
        if (error) {
            *error = tr("The game could not be started: %1 did not run.")
                         .arg(QDir::toNativeSeparators(program_));
        }
        return false;
    }
    return true;
}

}  // namespace trundlex
