// cAutoFont: a font that keeps its own description, so that one attribute (face, height,
// weight) can be changed and the font rebuilt from the rest. Display objects draw their
// labels with one.
#pragma once

#include <QFont>
#include <QString>

class QPaintDevice;

namespace calivue {

// The attributes the font is built from, as the program describes fonts.
struct FontDescription {
    // Negative: the character height in pixels; positive: the cell height (ascent plus
    // descent) in pixels; 0: the default size.
    int height = -12;
    int weight = 400;  // 100–900, 400 normal, 700 bold
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool serif = true;  // roman family; false: swiss (sans serif)
    QString face = QStringLiteral("Times New Roman");
};

class cAutoFont : public QFont {
public:
    cAutoFont();

    // At most 32 characters of the name are kept.
    void SetFaceName(const QString& name);
    // Each replaces one attribute, rebuilds the font and returns the previous value.
    int SetHeight(int height);
    int SetWeight(int weight);
    // Weight 700 when on, else 400; returns whether the previous weight was 500 or more.
    bool SetBold(bool on);
    void SetItalic(bool on);
    // The device the font is used on; positive heights are measured for it. Not owned; null
    // measures for the screen.
    void SetDC(QPaintDevice* device);

    const FontDescription& description() const { return m_description; }

private:
    void Rebuild();

    FontDescription m_description;
    QPaintDevice* m_device = nullptr;
};

}  // namespace calivue
