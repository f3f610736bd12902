#include "languageenvironment.h"

#include "languagetable.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace calivue {

Qt::LayoutDirection layoutDirectionOf(int language)
{
    return language == kLanguageHebrew ? Qt::RightToLeft : Qt::LeftToRight;
}

LanguageEnvironment::LanguageEnvironment(int language)
    : m_previousLocale(QLocale()), m_previousDirection(QGuiApplication::layoutDirection())
{
    const QLocale locale = languageLocale(language);
    QLocale::setDefault(locale);
    QGuiApplication::setLayoutDirection(layoutDirectionOf(language));
    // English needs no translation of Qt's texts; for the others Qt's own catalogue is used
    // when it is installed, and Qt's English otherwise.
    if (locale.language() == QLocale::English || !QCoreApplication::instance()) return;
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator.get()))
        m_translator = std::move(translator);
}

LanguageEnvironment::~LanguageEnvironment()
{
    if (m_translator) QCoreApplication::removeTranslator(m_translator.get());
    QGuiApplication::setLayoutDirection(m_previousDirection);
    QLocale::setDefault(m_previousLocale);
}

}  // namespace calivue
