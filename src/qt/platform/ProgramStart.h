#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QApplication;
class QCoreApplication;

namespace trundlex {

// What sets one program's start-up apart from the other's.
struct ProgramStartOptions {
    // The first line of --help.
    QString description;
    // The help of --lang and of --quit-after-start.
    QString languageHelp;
    QString quitAfterStartHelp;
    // Installs the program's user interface language: "sv", "en", or empty for the system's
    // (installUiLanguage with the program's catalogue).
    std::function<QString(QCoreApplication& app, const QString& requested)> installLanguage;
    // The positional argument, such as a file to open; none when `argumentName` is empty.
    QString argumentName;
    QString argumentHelp;
    QString argumentSyntax;
};

// What the command line asked for.
struct ProgramStart {
    // --quit-after-start: show the main window, quit at once and report where the data was
    // found (a check for an installation).
    bool quitAfterStart = false;
    QStringList arguments;
};

// The start of both programs' main(): names the application (the per-user settings and data
// folders depend on it), gives it the window icon, reads `commandLine` (the program's name
// first) and installs the language asked for with --lang. For --help, and for an option it
// does not know, it prints to the console and ends the process, as Qt's command-line
// parser does.
ProgramStart startProgram(QApplication& app, const QStringList& commandLine,
                          const ProgramStartOptions& options);

}  // namespace trundlex
