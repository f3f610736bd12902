// cColourButton: a push button that paints itself with its own text and background colour
// for each state (normal, pressed or checked, disabled, focused, greyed), or always with one
// fixed background.
#pragma once

#include "paint/colourref.h"

#include <QPushButton>

namespace calivue {

class cColourButton : public QPushButton {
    Q_OBJECT

public:
    struct Colours {
        ColourRef text;
        ColourRef background;
        bool operator==(const Colours&) const = default;
    };
    // The states that choose the colours, as the painting sees them.
    struct State {
        bool selected = false;  // held down
        bool checked = false;
        bool disabled = false;
        bool focused = false;
        bool greyed = false;
    };

    explicit cColourButton(QWidget* parent = nullptr);

    void SetText(const QString& text);
    // Sets the fixed background and the flag that makes every state use it.
    void SetFixedColour(ColourRef colour);
    // Greyed has no counterpart in Qt's buttons; the owner sets it.
    void SetGreyed(bool greyed);

    void SetNormalColours(Colours c)
    {
        m_normal = c;
        update();
    }
    void SetPressedColours(Colours c)
    {
        m_pressed = c;
        update();
    }
    void SetDisabledColours(Colours c)
    {
        m_disabled = c;
        update();
    }
    void SetFocusedColours(Colours c)
    {
        m_focused = c;
        update();
    }
    void SetGreyedColours(Colours c)
    {
        m_greyed = c;
        update();
    }

    // The pair the button paints with in state s.
    Colours ColoursFor(const State& s) const;
    State CurrentState() const;

    // The bold caption font of a button `height` pixels high.
    static QFont CaptionFont(int height);
    // Wide enough for the caption in that font, so no language's caption is clipped.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_fixed = false;
    bool m_greyedState = false;
    ColourRef m_fixedBackground = rgb(192, 192, 192);
    Colours m_normal{rgb(0, 0, 0), rgb(192, 192, 192)};
    Colours m_pressed{rgb(0, 0, 0), rgb(192, 192, 192)};
    Colours m_disabled{rgb(64, 64, 64), rgb(128, 128, 128)};
    Colours m_focused{rgb(0, 0, 255), rgb(192, 192, 192)};
    Colours m_greyed{rgb(255, 255, 255), rgb(192, 192, 192)};
};

}  // namespace calivue
