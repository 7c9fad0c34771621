#include "Language.h"

#include "platform/UiLanguage.h"

namespace trundlex {

QString installLanguage(QCoreApplication& app, const QString& requested) {
    return installUiLanguage(app, requested, QStringLiteral(":/i18n/trundlex_sv.qm"));
}

}  // namespace trundlex
