// cHotSpotDisplay: the measurement-cursor list — a three-column table of the user's cursors,
// the hottest and coldest points, their differences, the image average and, with area
// select on, the area statistics. It reads the document each time it draws.
#pragma once

#include "paint/autofont.h"
#include "view/irdisplayobject.h"

#include <QString>

#include <array>
#include <vector>

namespace calivue {

class cHotSpotDisplay : public cIRDisplayObject {
public:
    // One line of the table. A centred line has its text in the first cell only.
    struct Row {
        std::array<QString, 3> cells;
        bool centred = false;
        bool grey = false;
    };
    static constexpr int kRowStep = 15;

    explicit cHotSpotDisplay(CVantoroDoc* document = nullptr);
    ~cHotSpotDisplay() override;

    // The table as it would be drawn now; empty without a document or an image.
    std::vector<Row> Rows() const;
    // Left edges of the three columns for a display w pixels wide.
    static std::array<int, 3> ColumnStarts(int w);

    bool DrawContent(QPainter& painter) override;

    const cAutoFont& labelFont() const { return m_font; }

private:
    QString Temperature(double value) const;

    cAutoFont m_font;
};

}  // namespace calivue
