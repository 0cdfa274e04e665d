#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

const QString translatorName = QStringLiteral("vistrelleTranslator");

void install(QTranslator* translator)
{
    translator->setObjectName(translatorName);
    QCoreApplication::installTranslator(translator);
}

} // namespace

void InstallTranslations(const QLocale& locale)
{
    QCoreApplication* application = QCoreApplication::instance();
    for (QTranslator* old :
         application->findChildren<QTranslator*>(translatorName, Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    auto* own = new QTranslator(application);
    // English is a translation too: it holds the plural forms the source texts leave open.
    if (own->load(locale, QStringLiteral("vistrelle"), QStringLiteral("_"), QStringLiteral(":/i18n")) ||
        own->load(QStringLiteral(":/i18n/vistrelle_en.qm")))
        install(own);
    else
        delete own;
    auto* qt = new QTranslator(application);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        install(qt);
    else
        delete qt;
}

QString SpokenLanguage()
{
    for (const QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>(
             translatorName, Qt::FindDirectChildrenOnly)) {
        if (translator->filePath().startsWith(QStringLiteral(":/i18n/")))
            return translator->language();
    }
    return QStringLiteral("en");
}
