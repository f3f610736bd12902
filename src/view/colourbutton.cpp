#include "view/colourbutton.h"

#include <QFontMetrics>
#include <QPainter>

namespace calivue {

cColourButton::cColourButton(QWidget* parent) : QPushButton(parent) {}

void cColourButton::SetText(const QString& text)
{
    setText(text);
}

void cColourButton::SetFixedColour(ColourRef colour)
{
    m_fixedBackground = colour;
    m_fixed = true;
    update();
}

void cColourButton::SetGreyed(bool greyed)
{
    m_greyedState = greyed;
    update();
}

cColourButton::Colours cColourButton::ColoursFor(const State& s) const
{
    if (m_fixed) return Colours{m_normal.text, m_fixedBackground};
    if (s.selected) return m_pressed;
    if (s.checked) return Colours{m_pressed.text, m_pressed.background};
    if (s.disabled) return m_disabled;
    if (s.focused) return m_focused;
    if (s.greyed) return m_greyed;
    return m_normal;
}

cColourButton::State cColourButton::CurrentState() const
{
    State s;
    s.selected = isDown();
    s.checked = isCheckable() && isChecked();
    s.disabled = !isEnabled();
    s.focused = hasFocus();
    s.greyed = m_greyedState;
    return s;
}

QFont cColourButton::CaptionFont(int height)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Bold);
    font.setPixelSize(std::max(1, static_cast<int>(height / 1.6)));
    return font;
}

QSize cColourButton::sizeHint() const
{
    const QSize base = QPushButton::sizeHint();
    const int caption = QFontMetrics(CaptionFont(base.height())).horizontalAdvance(text());
    return QSize(std::max(base.width(), caption + 12), base.height());
}

void cColourButton::paintEvent(QPaintEvent*)
{
    const State state = CurrentState();
    const Colours colours = ColoursFor(state);
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r.adjusted(1, 1, -1, -1), toQColor(colours.background));

    // A raised edge: light along the left and top, dark along the right and bottom; a held
    // button swaps them and its caption moves one pixel right and down.
    const QColor light(255, 255, 255), dark(0, 0, 0);
    const int x1 = r.width() - 1, y1 = r.height() - 1;
    const QPoint topLeft[] = {{0, y1}, {0, 0}, {x1, 0}};
    const QPoint bottomRight[] = {{0, y1}, {x1, y1}, {x1, 0}};
    p.setPen(state.selected ? dark : light);
    p.drawPolyline(topLeft, 3);
    p.setPen(state.selected ? light : dark);
    p.drawPolyline(bottomRight, 3);

    p.setFont(CaptionFont(r.height()));
    p.setPen(toQColor(colours.text));
    QRect textRect = r;
    if (state.selected) textRect.translate(1, 1);
    p.drawText(textRect, Qt::AlignCenter, text());
}

}  // namespace calivue
