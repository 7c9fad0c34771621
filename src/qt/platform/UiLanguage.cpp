#include "UiLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace trundlex {

QString installUiLanguage(QCoreApplication& app, const QString& requested,
                          const QString& catalogue) {
    const bool swedish = requested.isEmpty()
                             ? QLocale::system().language() == QLocale::Swedish
                             : requested.compare(QStringLiteral("sv"), Qt::CaseInsensitive) == 0;
    if (!swedish) {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        return QStringLiteral("en");
    }
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    auto* ours = new QTranslator(&app);
    if (ours->load(catalogue)) {
        QCoreApplication::installTranslator(ours);
    }
    // Qt's own texts come as "qtbase" or, on some systems, only in the older "qt" catalogue.
    auto* qt = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (qt->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"), folder) ||
        qt->load(QLocale(), QStringLiteral("qt"), QStringLiteral("_"), folder)) {
        QCoreApplication::installTranslator(qt);
    }
    return QStringLiteral("sv");
}

}  // namespace trundlex
