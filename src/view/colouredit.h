// cColourEdit: a line edit whose text and background colours can be set.
#pragma once

#include "paint/colourref.h"

#include <QLineEdit>

namespace calivue {

class cColourEdit : public QLineEdit {
    Q_OBJECT

public:
    // Starts with the window colour behind the window-text colour.
    explicit cColourEdit(QWidget* parent = nullptr);

    void SetBackgroundColour(ColourRef colour);
    void SetTextColour(ColourRef colour);
    ColourRef backgroundColour() const { return m_background; }
    ColourRef textColour() const { return m_text; }

private:
    void Apply();

    ColourRef m_background;
    ColourRef m_text;
};

}  // namespace calivue
