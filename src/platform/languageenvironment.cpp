#include "platform/languageenvironment.h"

#include "platform/languagetable.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace calivue {

Qt::LayoutDirection layoutDirectionOf(Language language)
{
    return language == Language::Hebrew ? Qt::RightToLeft : Qt::LeftToRight;
}

LanguageEnvironment::LanguageEnvironment(Language language)
    : m_previousLocale(QLocale()), m_previousDirection(QGuiApplication::layoutDirection())
{
    const QLocale locale = languageLocale(language);
    QLocale::setDefault(locale);
    QGuiApplication::setLayoutDirection(layoutDirectionOf(language));
    // English needs no translation of Qt's texts; for the others Qt's own catalogue is used
    // when it is installed, and Qt's English otherwise.
    if (locale.language() == QLocale::English || !QCoreApplication::instance()) return;
    // A catalogue of the language's main country serves the others (Portugal's Portuguese
    // takes Brazil's when only that one is installed).
    auto translator = std::make_unique<QTranslator>();
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const auto load = [&](const QLocale& l) {
        return translator->load(l, QStringLiteral("qtbase"), QStringLiteral("_"), dir);
    };
    if ((load(locale) || load(QLocale(locale.language()))) &&
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
