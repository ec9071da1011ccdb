#include "app/Translators.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using kelvane::i18n::Language;

const char* CatalogueLanguage(const Language& language) {
    return language.code().c_str();
}

bool InstallTranslators(QCoreApplication& app, const Language& language) {
    return InstallTranslators(app, language, kelvane::i18n::CatalogueDir());
}

bool InstallTranslators(QCoreApplication& app, const Language& language, const std::string& dir) {
    const QString suffix = QString::fromStdString(language.code());
    // Qt's own first: a translator installed later is asked first.
    auto* qt = new QTranslator(&app);
    if (qt->load(QStringLiteral("qtbase_") + suffix,
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    auto* own = new QTranslator(&app);
    if (!own->load(QStringLiteral("kelvane_") + suffix, QString::fromStdString(dir))) {
        delete own;
        return false;
    }
    QCoreApplication::installTranslator(own);
    return true;
}
