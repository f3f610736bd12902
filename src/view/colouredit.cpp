#include "view/colouredit.h"

namespace calivue {

cColourEdit::cColourEdit(QWidget* parent)
    : QLineEdit(parent),
      m_background(systemColour(QPalette::Base)),
      m_text(systemColour(QPalette::Text))
{
    Apply();
}

void cColourEdit::SetBackgroundColour(ColourRef colour)
{
    m_background = colour;
    Apply();
}

void cColourEdit::SetTextColour(ColourRef colour)
{
    m_text = colour;
    Apply();
}

void cColourEdit::Apply()
{
    // Every colour group, so the colours hold when the edit loses focus or is disabled.
    QPalette pal = palette();
    pal.setColor(QPalette::Base, toQColor(m_background));
    pal.setColor(QPalette::Text, toQColor(m_text));
    setPalette(pal);
    update();
}

}  // namespace calivue
