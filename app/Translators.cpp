#include "app/Translators.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using kelvane::i18n::Language;

const char* CatalogueLanguage(Language language) {
    return language == Language::English ? "en" : "ko";
}

bool InstallTranslators(QCoreApplication& app, Language language) {
    const QString suffix = QLatin1String(CatalogueLanguage(language));
    // Qt's own first: a translator installed later is asked first.
    auto* qt = new QTranslator(&app);
    if (qt->load(QStringLiteral("qtbase_") + suffix,
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    auto* own = new QTranslator(&app);
    if (!own->load(QStringLiteral("kelvane_") + suffix,
                   QString::fromStdString(kelvane::i18n::CatalogueDir()))) {
        delete own;
        return false;
    }
    QCoreApplication::installTranslator(own);
    return true;
}
