// What the chosen user-interface language sets beyond the string table: the default locale
// (date pickers, calendars and the report's dates follow the language's locale id), the
// layout direction (right to left for Hebrew) and the translation of Qt's own dialog texts.
// Held for the life of the application object; the previous state comes back when it goes.
#pragma once

#include "platform/languagetable.h"

#include <QLocale>

#include <memory>

class QTranslator;

namespace calivue {

class LanguageEnvironment {
public:
    explicit LanguageEnvironment(Language language);
    ~LanguageEnvironment();
    LanguageEnvironment(const LanguageEnvironment&) = delete;
    LanguageEnvironment& operator=(const LanguageEnvironment&) = delete;

    // Whether Qt's own texts (file dialog, edit menus) were found for the language.
    bool qtTextsTranslated() const { return m_translator != nullptr; }

private:
    QLocale m_previousLocale;
    Qt::LayoutDirection m_previousDirection;
    std::unique_ptr<QTranslator> m_translator;
};

// The direction a language is written in: right to left for Hebrew, else left to right.
Qt::LayoutDirection layoutDirectionOf(Language language);

}  // namespace calivue
