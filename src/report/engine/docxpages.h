// Internal to the report/engine layer.
// Where the Word document's pages will break, estimated as it is written: every paragraph,
// table row and picture measured in the document's fonts (Arial's metrics, which Liberation
// Sans shares) at the styles' sizes and spacing, so the contents can be written with the page
// each heading starts on. A word processor that updates the contents field replaces them with
// its own; one that shows the field as written (LibreOffice) shows these.
#pragma once

#include <QFont>
#include <QString>

namespace calivue {

class DocxPageModel {
public:
    DocxPageModel();

    // A paragraph of `style` (one line of text, wrapped to the text width or `width` twips),
    // kept on the page of the next one when its style or keepWithNext says so.
    void paragraph(const QString& style, const QString& text, int width = 0,
                   bool keepWithNext = false);
    // A picture paragraph `height` twips high.
    void picture(int height);
    // A table row: its height in twips, already measured by cellHeight; kept on the page of
    // what follows it with keepWithNext.
    void row(int height, bool keepWithNext = false);
    // The height of a table cell's text `width` twips wide (the cell's margins included).
    int cellHeight(const QString& text, int width) const;
    // The height of a line of text in a cell `width` twips wide, without the cell's margins.
    int textHeight(const QString& text, int width) const;
    static constexpr int kCellMargins = 2 * 40 + 10;  // top and bottom margins and a border
    static constexpr int kCellTextMargins = 2 * 80;   // left and right margins

    // The page the last heading started on (1-based).
    int page() const { return m_page; }

private:
    struct Metrics {
        QFont font;
        int line = 0, before = 0, after = 0;
        bool keepNext = false, pageBreak = false;
    };
    Metrics metrics(const QString& style) const;
    int lines(const QString& text, const QFont& font, int width) const;
    // Places a block of `count` lines of `line` twips (splittable) or one unsplittable block.
    void place(int before, int count, int line, int after, bool splittable, bool keepNext);
    void newPage();

    int m_y = 0;     // twips used on the current page
    int m_page = 1;  // the current page
    int m_kept = 0;  // keep-with-next paragraphs waiting for what follows them
};

}  // namespace calivue
