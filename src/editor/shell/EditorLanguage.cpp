#include "EditorLanguage.h"

#include "platform/UiLanguage.h"

namespace trundlex {

QString installEditorLanguage(QCoreApplication& app, const QString& requested) {
    return installUiLanguage(app, requested, QStringLiteral(":/i18n/trundlex-editor_sv.qm"));
}

}  // namespace trundlex
