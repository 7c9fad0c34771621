#pragma once

#include <QString>

class QCoreApplication;

namespace trundlex {

// Chooses the language of the editor: `requested` is "sv" or "en" (from the command line),
// or empty to follow the system's locale. Swedish installs the editor's translation and Qt's
// own (file dialogs and standard buttons). Returns the language chosen, "sv" or "en".
QString installEditorLanguage(QCoreApplication& app, const QString& requested);

}  // namespace trundlex
