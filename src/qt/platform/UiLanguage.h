#pragma once

#include <QString>

class QCoreApplication;

namespace trundlex {

// Chooses the language of a program's user interface: `requested` is "sv" or "en" (from the
// command line), or empty to follow the system's locale. Swedish sets the Swedish locale and
// installs the program's own translation (`catalogue`, a .qm file or resource) and Qt's own
// (standard buttons and dialogs). Returns the language chosen, "sv" or "en".
QString installUiLanguage(QCoreApplication& app, const QString& requested,
                          const QString& catalogue);

}  // namespace trundlex
