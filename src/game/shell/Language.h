#pragma once

#include <QString>

class QCoreApplication;

namespace trundlex {

// Chooses the language of the user interface: `requested` is "sv" or "en" (from the command
// line), or empty to follow the system's locale. Swedish installs our translation and Qt's
// own (standard buttons and dialogs); English the singular and plural forms of the texts with
// a count. Returns the language chosen, "sv" or "en".
QString installLanguage(QCoreApplication& app, const QString& requested);

}  // namespace trundlex
