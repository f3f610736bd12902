// cColourTextEdit: the multi-line counterpart of cColourEdit for the comment and fault
// boxes of the inspection data page: plain text, a text colour the owner sets, and a limit
// on the number of characters it accepts.
#pragma once

#include "paint/colourref.h"

#include <QPlainTextEdit>

namespace calivue {

class cColourTextEdit : public QPlainTextEdit {
public:
    explicit cColourTextEdit(QWidget* parent = nullptr);

    void SetTextColour(ColourRef colour);
    ColourRef textColour() const { return m_text; }
    // Longer texts, typed or set, are cut to the limit.
    void setMaxLength(int length);
    int maxLength() const { return m_maxLength; }
    QString text() const { return toPlainText(); }
    void setText(const QString& text);

protected:
    // Tab and Shift+Tab leave the box, as in any form; Ctrl+Tab types a tab.
    bool event(QEvent* e) override;

private:
    void enforceLimit();

    ColourRef m_text;
    int m_maxLength = 32767;
};

}  // namespace calivue
