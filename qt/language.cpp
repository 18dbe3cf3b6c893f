#include "qt/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// The window's own texts, and Qt's (file dialogs, standard buttons) where
// the system has them.
QTranslator& windowTranslator()
{
    static QTranslator translator;
    return translator;
}

QTranslator& qtTranslator()
{
    static QTranslator translator;
    return translator;
}

}  // namespace

bool useLanguage(const QLocale& locale)
{
    QCoreApplication::removeTranslator(&windowTranslator());
    QCoreApplication::removeTranslator(&qtTranslator());
    if (locale.language() != QLocale::Japanese)
        return false;
    if (qtTranslator().load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslator());
    if (!windowTranslator().load(QStringLiteral(":/i18n/orvelin_ja.qm")))
        return false;
    return QCoreApplication::installTranslator(&windowTranslator());
}
