#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace sx {

bool LoadGermanTranslations(QCoreApplication &app) {
    // The program speaks German everywhere, so the language is fixed rather
    // than taken from the user's locale.
    static QPointer<QTranslator> translator;
    if (translator) return true;
    auto *t = new QTranslator(&app);
    if (!t->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    translator = t;
    return true;
}

}  // namespace sx
