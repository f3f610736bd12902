// Internal to the report/engine layer.
// The body of a WordprocessingML document (word/document.xml) written with Qt's XML writer:
// paragraphs in named styles, tables in the report's table style, inline pictures, bookmarked
// headings and the contents as a TOC field. Every text passes through docxText first, so a
// project text carrying characters XML cannot hold still makes a document that opens.
#pragma once

#include "report/engine/docxpages.h"

#include <QByteArray>
#include <QRgb>
#include <QSize>
#include <QString>
#include <QXmlStreamWriter>

#include <map>
#include <vector>

namespace calivue {

// The text as WordprocessingML may carry it: control characters other than tab and line
// breaks, unpaired surrogates and the non-characters U+FFFE and U+FFFF dropped; line breaks
// unified to "\n".
QString docxText(const QString& text);

// Lengths: twentieths of a point (twips) for the page and table columns, EMU for pictures.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr qint64 kEmuPerInch = 914400;
inline constexpr qint64 kEmuPerTwip = kEmuPerInch / kTwipsPerInch;
// A4 with 2 cm margins; the text is 17 cm wide.
inline constexpr int kPageWidthTwips = 11906, kPageHeightTwips = 16838, kMarginTwips = 1134;
inline constexpr int kTextWidthTwips = kPageWidthTwips - 2 * kMarginTwips;

// A text of `DocxCell::text` that stands for the page a bookmarked heading starts on: written
// as a PAGEREF field to that bookmark, so a word processor prints the page its own layout gives.
struct DocxPageRef {
    QString placeholder;
    QString bookmark;
};

struct DocxCell {
    QString text;              // paragraphs separated by line feeds
    QRgb colour = 0xFF000000;  // black: the style's colour
    bool bold = false;
    std::vector<DocxPageRef> pages = {};  // placeholders of `text` no one of which begins another
};

struct DocxTocEntry {
    QString text;
    QString bookmark;
};

class DocxBody {
public:
    // rightToLeft: every paragraph and table runs right to left (the report's language).
    explicit DocxBody(bool rightToLeft);

    // One paragraph per line of text in `style`; an empty text still makes one paragraph.
    // keepWithNext: every one of them stays on the page of the paragraph after it.
    void paragraphs(const QString& style, const QString& text, QRgb colour = 0xFF000000,
                    bool keepWithNext = false);
    // A heading paragraph with a bookmark around its text (the contents' target).
    void heading(const QString& style, const QString& text, const QString& bookmark);
    // The contents: a TOC field over the Heading 1 paragraphs, its present result the entries
    // with PAGEREF fields holding the pages estimated for their headings, so a reader that does
    // not update fields still lists them with their pages.
    void contents(const std::vector<DocxTocEntry>& entries);

    // A table `widths` wide (twips per column); the first row is a repeated header when
    // `header`, the first column a label column when `labels`.
    void beginTable(const std::vector<int>& widths, bool header, bool labels,
                    const QString& style = QStringLiteral("ReportTable"));
    // keepWithNext: the row stays on the page of the next one (every row of a table but its
    // last keeps the table on one page).
    void row(const std::vector<DocxCell>& cells, bool keepWithNext = false);
    // A cell holding whatever the caller writes next (pictures, paragraphs); closed by endCell.
    void beginCell(int width);
    void endCell();
    void beginRow();
    void endRow();
    void endTable();

    // An inline picture `size` EMU large from relationship `relationId`, in its own paragraph;
    // scaled down to the width of the open cell or of the text when it is wider.
    void picture(const QString& relationId, QSize size, const QString& name,
                 const QString& description, const QString& style = QStringLiteral("Picture"));

    // Ends the body with the section: A4, the margins and the footer `footerId`.
    QByteArray finish(const QString& footerId);

private:
    void paragraph(const QString& style, const QString& line, QRgb colour, bool bold,
                   const std::vector<DocxPageRef>& pages = {}, bool keepWithNext = false);
    // `text`: what the paragraph holds, whose first letter sets its direction in a
    // right-to-left report.
    void beginParagraph(const QString& style, const QString& text, bool keepWithNext = false);
    void run(const QString& text, QRgb colour = 0xFF000000, bool bold = false);
    void field(const QString& instruction, const QString& result);

    QByteArray m_bytes;
    QXmlStreamWriter m_xml;
    bool m_rtl;
    DocxPageModel m_pages;
    std::map<QString, int> m_headingPages;  // bookmark: the page its heading starts on
    std::vector<int> m_widths;
    int m_cellWidth = 0;  // the open cell's width; 0 outside tables
    int m_cellHeight = 0, m_rowHeight = 0;
    bool m_header = false;
    int m_row = 0;
    int m_bookmarks = 0;
    int m_pictures = 0;
};

}  // namespace calivue
