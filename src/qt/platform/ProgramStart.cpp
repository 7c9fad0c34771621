#include "ProgramStart.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

namespace trundlex {

ProgramStart startProgram(QApplication& app, const QStringList& commandLine,
                          const ProgramStartOptions& options) {
    QApplication::setOrganizationName(QStringLiteral("Brackwater Works"));
    QApplication::setApplicationName(QStringLiteral("Trundlex"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/trundlex.png")));
    QCommandLineParser parser;
    parser.setApplicationDescription(options.description);
    parser.addHelpOption();
    const QCommandLineOption language(QStringLiteral("lang"), options.languageHelp,
                                      QStringLiteral("language"));
    parser.addOption(language);
    const QCommandLineOption quitAfterStart(QStringLiteral("quit-after-start"),
                                            options.quitAfterStartHelp);
    parser.addOption(quitAfterStart);
    if (!options.argumentName.isEmpty()) {
        parser.addPositionalArgument(options.argumentName, options.argumentHelp,
                                     options.argumentSyntax);
    }
    parser.process(commandLine);
    if (options.installLanguage) {
        options.installLanguage(app, parser.value(language));
    }
    return {parser.isSet(quitAfterStart), parser.positionalArguments()};
}

}  // namespace trundlex
