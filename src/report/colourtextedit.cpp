#include "report/colourtextedit.h"

#include <QKeyEvent>
#include <QPalette>
#include <QSignalBlocker>
#include <QTextCursor>

namespace calivue {

cColourTextEdit::cColourTextEdit(QWidget* parent)
    : QPlainTextEdit(parent), m_text(systemColour(QPalette::WindowText))
{
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &cColourTextEdit::enforceLimit);
}

bool cColourTextEdit::event(QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::ControlModifier) {
            insertPlainText(QStringLiteral("\t"));
            return true;
        }
    }
    return QPlainTextEdit::event(e);
}

void cColourTextEdit::SetTextColour(ColourRef colour)
{
    m_text = colour;
    QPalette p = palette();
    p.setColor(QPalette::Text, toQColor(colour));
    setPalette(p);
}

void cColourTextEdit::setMaxLength(int length)
{
    m_maxLength = std::max(0, length);
    enforceLimit();
}

void cColourTextEdit::setText(const QString& text)
{
    setPlainText(text);
}

void cColourTextEdit::enforceLimit()
{
    const QString t = toPlainText();
    if (t.size() <= m_maxLength) return;
    // Cutting changes the text again; the owner hears of the cut text only once.
    {
        const QSignalBlocker block(this);
        const int position = std::min(static_cast<int>(textCursor().position()), m_maxLength);
        setPlainText(t.left(m_maxLength));
        QTextCursor c = textCursor();
        c.setPosition(position);
        setTextCursor(c);
    }
}

}  // namespace calivue
