#include "Language.h"

#include <QCoreApplication>
#include <QTranslator>

#include "platform/UiLanguage.h"

namespace trundlex {

QString installLanguage(QCoreApplication& app, const QString& requested) {
    const QString chosen =
        installUiLanguage(app, requested, QStringLiteral(":/i18n/trundlex_sv.qm"));
    if (chosen == QStringLiteral("en")) {
        // English texts are shown as written, but those with a count need their plural forms.
        auto* plurals = new QTranslator(&app);
        if (plurals->load(QStringLiteral(":/i18n/trundlex_en.qm"))) {
            QCoreApplication::installTranslator(plurals);
        }
    }
    return chosen;
}

}  // namespace trundlex
