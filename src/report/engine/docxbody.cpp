#include "report/engine/docxbody.h"

#include "platform/textformat.h"  // hasRightToLeftLetters

#include <algorithm>

namespace calivue {

namespace {

const QString kW = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString kR =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QString kWp =
    QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing");
const QString kA = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/main");
const QString kPic = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/picture");

QString hexColour(QRgb c)
{
    return QStringLiteral("%1").arg(c & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
}

// Whether a text has left-to-right letters and no right-to-left ones (an English equipment
// name in a Hebrew report): its paragraph runs left to right.
bool leftToRight(const QString& text)
{
    bool latin = false;
    for (const QChar c : text) {
        const QChar::Direction d = c.direction();
        if (d == QChar::DirR || d == QChar::DirAL) return false;
        latin = latin || d == QChar::DirL;
    }
    return latin;
}

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

}  // namespace

// Stands around a bookmark's name where its page goes in the contents until the pages are
// known; docxText drops the character from every text, so nothing else carries it.
constexpr char16_t kPageMark = 0xFFFC;

QString docxText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            if (i + 1 < text.size() && text.at(i + 1) == u'\n') ++i;
            out += u'\n';
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
        } else if (c.isSurrogate() || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF ||
                   c.unicode() == kPageMark || (c.unicode() < 0x20 && c != u'\t' && c != u'\n')) {
            continue;
        } else {
            out += c;
        }
    }
    return out;
}

DocxBody::DocxBody(bool rightToLeft) : m_xml(&m_bytes), m_rtl(rightToLeft)
{
    m_xml.writeStartDocument(QStringLiteral("1.0"), true);
    m_xml.writeNamespace(kW, QStringLiteral("w"));
    m_xml.writeNamespace(kR, QStringLiteral("r"));
    m_xml.writeNamespace(kWp, QStringLiteral("wp"));
    m_xml.writeNamespace(kA, QStringLiteral("a"));
    m_xml.writeNamespace(kPic, QStringLiteral("pic"));
    m_xml.writeStartElement(kW, QStringLiteral("document"));
    m_xml.writeStartElement(kW, QStringLiteral("body"));
}

void DocxBody::beginParagraph(const QString& style, const QString& text, bool keepWithNext)
{
    m_xml.writeStartElement(kW, QStringLiteral("p"));
    m_xml.writeStartElement(kW, QStringLiteral("pPr"));
    m_xml.writeEmptyElement(kW, QStringLiteral("pStyle"));
    m_xml.writeAttribute(kW, QStringLiteral("val"), style);
    if (keepWithNext) m_xml.writeEmptyElement(kW, QStringLiteral("keepNext"));
    if (m_rtl) {
        // A right-to-left report's paragraphs run right to left, except those written in a
        // left-to-right script only (an English equipment name), which would read scrambled.
        m_xml.writeEmptyElement(kW, QStringLiteral("bidi"));
        if (leftToRight(text)) m_xml.writeAttribute(kW, QStringLiteral("val"), QStringLiteral("0"));
    }
    m_xml.writeEndElement();  // pPr
}

void DocxBody::run(const QString& text, QRgb colour, bool bold)
{
    m_xml.writeStartElement(kW, QStringLiteral("r"));
    const bool black = (colour & 0xFFFFFF) == 0;
    // Only runs holding right-to-left letters are marked right to left, so numbers and Latin
    // words in a Hebrew paragraph ("37.3 °C") keep their own order.
    const bool rtl = m_rtl && hasRightToLeftLetters(text);
    if (!black || bold || rtl) {
        m_xml.writeStartElement(kW, QStringLiteral("rPr"));
        if (bold) {
            m_xml.writeEmptyElement(kW, QStringLiteral("b"));
            m_xml.writeEmptyElement(kW, QStringLiteral("bCs"));
        }
        if (!black) {
            m_xml.writeEmptyElement(kW, QStringLiteral("color"));
            m_xml.writeAttribute(kW, QStringLiteral("val"), hexColour(colour));
        }
        if (rtl) m_xml.writeEmptyElement(kW, QStringLiteral("rtl"));
        m_xml.writeEndElement();  // rPr
    }
    // Tabs are elements of their own; the text between them keeps its spaces.
    const QStringList parts = text.split(u'\t');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0) m_xml.writeEmptyElement(kW, QStringLiteral("tab"));
        if (parts[i].isEmpty()) continue;
        m_xml.writeStartElement(kW, QStringLiteral("t"));
        m_xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        m_xml.writeCharacters(parts[i]);
        m_xml.writeEndElement();
    }
    m_xml.writeEndElement();  // r
}

void DocxBody::paragraph(const QString& style, const QString& line, QRgb colour, bool bold,
                         const std::vector<DocxPageRef>& pages, bool keepWithNext)
{
    beginParagraph(style, line, keepWithNext);
    qsizetype at = 0;
    for (;;) {
        // The next placeholder, and the text before it as it is.
        qsizetype next = -1;
        const DocxPageRef* ref = nullptr;
        for (const DocxPageRef& p : pages) {
            const qsizetype found = p.placeholder.isEmpty() ? -1 : line.indexOf(p.placeholder, at);
            if (found >= 0 && (next < 0 || found < next)) {
                next = found;
                ref = &p;
            }
        }
        const QString before = line.mid(at, next < 0 ? -1 : next - at);
        if (!before.isEmpty()) run(before, colour, bold);
        if (!ref) break;
        field(QStringLiteral(" PAGEREF %1 \\h ").arg(ref->bookmark),
              QChar(kPageMark) + ref->bookmark + QChar(kPageMark));
        at = next + ref->placeholder.size();
    }
    m_xml.writeEndElement();
}

void DocxBody::paragraphs(const QString& style, const QString& text, QRgb colour, bool keepWithNext)
{
    for (const QString& line : docxText(text).split(u'\n')) {
        paragraph(style, line, colour, false, {}, keepWithNext);
        if (m_cellWidth > 0)
            m_cellHeight += m_pages.textHeight(line, m_cellWidth);
        else
            m_pages.paragraph(style, line, 0, keepWithNext);
    }
}

void DocxBody::heading(const QString& style, const QString& text, const QString& bookmark)
{
    beginParagraph(style, text);
    const QString id = QString::number(++m_bookmarks);
    m_xml.writeEmptyElement(kW, QStringLiteral("bookmarkStart"));
    m_xml.writeAttribute(kW, QStringLiteral("id"), id);
    m_xml.writeAttribute(kW, QStringLiteral("name"), bookmark);
    // A heading is one paragraph: its line breaks become spaces.
    const QString line = docxText(text).replace(u'\n', u' ');
    run(line);
    m_pages.paragraph(style, line);
    m_headingPages[bookmark] = m_pages.page();
    m_xml.writeEmptyElement(kW, QStringLiteral("bookmarkEnd"));
    m_xml.writeAttribute(kW, QStringLiteral("id"), id);
    m_xml.writeEndElement();
}

void DocxBody::field(const QString& instruction, const QString& result)
{
    const auto fieldChar = [this](const char* type) {
        m_xml.writeStartElement(kW, QStringLiteral("r"));
        m_xml.writeEmptyElement(kW, QStringLiteral("fldChar"));
        m_xml.writeAttribute(kW, QStringLiteral("fldCharType"), QString::fromLatin1(type));
        m_xml.writeEndElement();
    };
    fieldChar("begin");
    m_xml.writeStartElement(kW, QStringLiteral("r"));
    m_xml.writeStartElement(kW, QStringLiteral("instrText"));
    m_xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
    m_xml.writeCharacters(instruction);
    m_xml.writeEndElement();
    m_xml.writeEndElement();
    fieldChar("separate");
    run(result);
    fieldChar("end");
}

void DocxBody::contents(const std::vector<DocxTocEntry>& entries)
{
    // The field spans the entry paragraphs: it begins in the first and ends in the last.
    const auto begin = [this](const char* type) {
        m_xml.writeStartElement(kW, QStringLiteral("r"));
        m_xml.writeEmptyElement(kW, QStringLiteral("fldChar"));
        m_xml.writeAttribute(kW, QStringLiteral("fldCharType"), QString::fromLatin1(type));
        m_xml.writeEndElement();
    };
    beginParagraph(QStringLiteral("TOC1"), entries.empty() ? QString() : entries[0].text);
    begin("begin");
    m_xml.writeStartElement(kW, QStringLiteral("r"));
    m_xml.writeTextElement(kW, QStringLiteral("instrText"),
                           QStringLiteral(" TOC \\o \"1-1\" \\h \\z \\u "));
    m_xml.writeEndElement();
    begin("separate");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) beginParagraph(QStringLiteral("TOC1"), entries[i].text);
        m_xml.writeStartElement(kW, QStringLiteral("hyperlink"));
        m_xml.writeAttribute(kW, QStringLiteral("anchor"), entries[i].bookmark);
        m_xml.writeAttribute(kW, QStringLiteral("history"), QStringLiteral("1"));
        const QString line = docxText(entries[i].text).replace(u'\n', u' ');
        run(line + u'\t');
        field(QStringLiteral(" PAGEREF %1 \\h ").arg(entries[i].bookmark),
              QChar(kPageMark) + entries[i].bookmark + QChar(kPageMark));
        m_pages.paragraph(QStringLiteral("TOC1"), line + QStringLiteral(" 000"));
        m_xml.writeEndElement();                              // hyperlink
        if (i + 1 < entries.size()) m_xml.writeEndElement();  // p
    }
    begin("end");
    m_xml.writeEndElement();  // p
}

void DocxBody::beginTable(const std::vector<int>& widths, bool header, bool labels,
                          const QString& style)
{
    m_widths = widths;
    m_header = header;
    m_row = 0;
    m_xml.writeStartElement(kW, QStringLiteral("tbl"));
    m_xml.writeStartElement(kW, QStringLiteral("tblPr"));
    m_xml.writeEmptyElement(kW, QStringLiteral("tblStyle"));
    m_xml.writeAttribute(kW, QStringLiteral("val"), style);
    if (m_rtl) m_xml.writeEmptyElement(kW, QStringLiteral("bidiVisual"));
    int total = 0;
    for (int w : widths) total += w;
    m_xml.writeEmptyElement(kW, QStringLiteral("tblW"));
    m_xml.writeAttribute(kW, QStringLiteral("w"), QString::number(total));
    m_xml.writeAttribute(kW, QStringLiteral("type"), QStringLiteral("dxa"));
    m_xml.writeEmptyElement(kW, QStringLiteral("tblLayout"));
    m_xml.writeAttribute(kW, QStringLiteral("type"), QStringLiteral("fixed"));
    // The table style's parts this table uses, both as the bit mask of the first version of the
    // format and as attributes: a reader that knows only the mask (LibreOffice) takes its
    // absence for "header row and first column", which would shade and embolden the first row
    // of a label table and the first column of every table.
    m_xml.writeEmptyElement(kW, QStringLiteral("tblLook"));
    const int look = 0x0600 | (header ? 0x0020 : 0) | (labels ? 0x0080 : 0);
    m_xml.writeAttribute(kW, QStringLiteral("val"),
                         QStringLiteral("%1").arg(look, 4, 16, QLatin1Char('0')).toUpper());
    m_xml.writeAttribute(kW, QStringLiteral("firstRow"), flag(header));
    m_xml.writeAttribute(kW, QStringLiteral("firstColumn"), flag(labels));
    m_xml.writeAttribute(kW, QStringLiteral("lastRow"), QStringLiteral("0"));
    m_xml.writeAttribute(kW, QStringLiteral("lastColumn"), QStringLiteral("0"));
    m_xml.writeAttribute(kW, QStringLiteral("noHBand"), QStringLiteral("1"));
    m_xml.writeAttribute(kW, QStringLiteral("noVBand"), QStringLiteral("1"));
    m_xml.writeEndElement();  // tblPr
    m_xml.writeStartElement(kW, QStringLiteral("tblGrid"));
    for (int w : widths) {
        m_xml.writeEmptyElement(kW, QStringLiteral("gridCol"));
        m_xml.writeAttribute(kW, QStringLiteral("w"), QString::number(w));
    }
    m_xml.writeEndElement();
}

void DocxBody::beginRow()
{
    m_rowHeight = 0;
    m_xml.writeStartElement(kW, QStringLiteral("tr"));
    if (m_header && m_row == 0) {
        m_xml.writeStartElement(kW, QStringLiteral("trPr"));
        m_xml.writeEmptyElement(kW, QStringLiteral("tblHeader"));
        m_xml.writeEndElement();
    }
    ++m_row;
}

void DocxBody::endRow()
{
    m_xml.writeEndElement();
    m_pages.row(m_rowHeight);
}

void DocxBody::beginCell(int width)
{
    m_cellWidth = width;
    m_cellHeight = DocxPageModel::kCellMargins;
    m_xml.writeStartElement(kW, QStringLiteral("tc"));
    m_xml.writeStartElement(kW, QStringLiteral("tcPr"));
    m_xml.writeEmptyElement(kW, QStringLiteral("tcW"));
    m_xml.writeAttribute(kW, QStringLiteral("w"), QString::number(width));
    m_xml.writeAttribute(kW, QStringLiteral("type"), QStringLiteral("dxa"));
    m_xml.writeEndElement();
}

void DocxBody::endCell()
{
    m_xml.writeEndElement();
    m_rowHeight = std::max(m_rowHeight, m_cellHeight);
    m_cellWidth = 0;
}

void DocxBody::row(const std::vector<DocxCell>& cells, bool keepWithNext)
{
    beginRow();
    for (std::size_t c = 0; c < cells.size() && c < m_widths.size(); ++c) {
        beginCell(m_widths[c]);
        for (const QString& line : docxText(cells[c].text).split(u'\n')) {
            paragraph(QStringLiteral("TableText"), line, cells[c].colour, cells[c].bold,
                      cells[c].pages, keepWithNext);
            m_cellHeight += m_pages.textHeight(line, m_widths[c]);
        }
        endCell();
    }
    m_xml.writeEndElement();  // tr
    m_pages.row(m_rowHeight, keepWithNext);
}

void DocxBody::endTable()
{
    m_xml.writeEndElement();
}

void DocxBody::picture(const QString& relationId, QSize size, const QString& name,
                       const QString& description, const QString& style)
{
    const QString id = QString::number(++m_pictures);
    // A picture wider than the room it is in would be cut off at the cell's or the margin's
    // edge, or cover its neighbour: scaled down to the room, keeping its proportions.
    const qint64 room = qint64(m_cellWidth > 0 ? m_cellWidth : kTextWidthTwips) * kEmuPerTwip;
    if (size.width() > room && size.width() > 0)
        size = QSize(static_cast<int>(room),
                     static_cast<int>(qint64(size.height()) * room / size.width()));
    const int twips = static_cast<int>(size.height() / kEmuPerTwip);
    if (m_cellWidth > 0)
        m_cellHeight += twips + 120;
    else
        m_pages.picture(twips);
    const QString cx = QString::number(size.width()), cy = QString::number(size.height());
    beginParagraph(style, QString());
    m_xml.writeStartElement(kW, QStringLiteral("r"));
    m_xml.writeStartElement(kW, QStringLiteral("drawing"));
    m_xml.writeStartElement(kWp, QStringLiteral("inline"));
    for (const char* d : {"distT", "distB", "distL", "distR"})
        m_xml.writeAttribute(QString::fromLatin1(d), QStringLiteral("0"));
    m_xml.writeEmptyElement(kWp, QStringLiteral("extent"));
    m_xml.writeAttribute(QStringLiteral("cx"), cx);
    m_xml.writeAttribute(QStringLiteral("cy"), cy);
    m_xml.writeEmptyElement(kWp, QStringLiteral("docPr"));
    m_xml.writeAttribute(QStringLiteral("id"), id);
    m_xml.writeAttribute(QStringLiteral("name"), docxText(name));
    m_xml.writeAttribute(QStringLiteral("descr"), docxText(description));
    m_xml.writeStartElement(kWp, QStringLiteral("cNvGraphicFramePr"));
    m_xml.writeEmptyElement(kA, QStringLiteral("graphicFrameLocks"));
    m_xml.writeAttribute(QStringLiteral("noChangeAspect"), QStringLiteral("1"));
    m_xml.writeEndElement();
    m_xml.writeStartElement(kA, QStringLiteral("graphic"));
    m_xml.writeStartElement(kA, QStringLiteral("graphicData"));
    m_xml.writeAttribute(QStringLiteral("uri"), kPic);
    m_xml.writeStartElement(kPic, QStringLiteral("pic"));
    m_xml.writeStartElement(kPic, QStringLiteral("nvPicPr"));
    m_xml.writeEmptyElement(kPic, QStringLiteral("cNvPr"));
    m_xml.writeAttribute(QStringLiteral("id"), id);
    m_xml.writeAttribute(QStringLiteral("name"), docxText(name));
    m_xml.writeEmptyElement(kPic, QStringLiteral("cNvPicPr"));
    m_xml.writeEndElement();  // nvPicPr
    m_xml.writeStartElement(kPic, QStringLiteral("blipFill"));
    m_xml.writeEmptyElement(kA, QStringLiteral("blip"));
    m_xml.writeAttribute(kR, QStringLiteral("embed"), relationId);
    m_xml.writeStartElement(kA, QStringLiteral("stretch"));
    m_xml.writeEmptyElement(kA, QStringLiteral("fillRect"));
    m_xml.writeEndElement();
    m_xml.writeEndElement();  // blipFill
    m_xml.writeStartElement(kPic, QStringLiteral("spPr"));
    m_xml.writeStartElement(kA, QStringLiteral("xfrm"));
    m_xml.writeEmptyElement(kA, QStringLiteral("off"));
    m_xml.writeAttribute(QStringLiteral("x"), QStringLiteral("0"));
    m_xml.writeAttribute(QStringLiteral("y"), QStringLiteral("0"));
    m_xml.writeEmptyElement(kA, QStringLiteral("ext"));
    m_xml.writeAttribute(QStringLiteral("cx"), cx);
    m_xml.writeAttribute(QStringLiteral("cy"), cy);
    m_xml.writeEndElement();  // xfrm
    m_xml.writeStartElement(kA, QStringLiteral("prstGeom"));
    m_xml.writeAttribute(QStringLiteral("prst"), QStringLiteral("rect"));
    m_xml.writeEmptyElement(kA, QStringLiteral("avLst"));
    m_xml.writeEndElement();
    m_xml.writeEndElement();  // spPr
    m_xml.writeEndElement();  // pic
    m_xml.writeEndElement();  // graphicData
    m_xml.writeEndElement();  // graphic
    m_xml.writeEndElement();  // inline
    m_xml.writeEndElement();  // drawing
    m_xml.writeEndElement();  // r
    m_xml.writeEndElement();  // p
}

QByteArray DocxBody::finish(const QString& footerId)
{
    m_xml.writeStartElement(kW, QStringLiteral("sectPr"));
    m_xml.writeEmptyElement(kW, QStringLiteral("footerReference"));
    m_xml.writeAttribute(kW, QStringLiteral("type"), QStringLiteral("default"));
    m_xml.writeAttribute(kR, QStringLiteral("id"), footerId);
    m_xml.writeEmptyElement(kW, QStringLiteral("pgSz"));
    m_xml.writeAttribute(kW, QStringLiteral("w"), QString::number(kPageWidthTwips));
    m_xml.writeAttribute(kW, QStringLiteral("h"), QString::number(kPageHeightTwips));
    m_xml.writeEmptyElement(kW, QStringLiteral("pgMar"));
    const QString margin = QString::number(kMarginTwips);
    for (const char* side : {"top", "right", "bottom", "left"})
        m_xml.writeAttribute(kW, QString::fromLatin1(side), margin);
    m_xml.writeAttribute(kW, QStringLiteral("header"), QStringLiteral("567"));
    m_xml.writeAttribute(kW, QStringLiteral("footer"), QStringLiteral("567"));
    m_xml.writeAttribute(kW, QStringLiteral("gutter"), QStringLiteral("0"));
    if (m_rtl) m_xml.writeEmptyElement(kW, QStringLiteral("bidi"));
    m_xml.writeEndElement();  // sectPr
    m_xml.writeEndElement();  // body
    m_xml.writeEndElement();  // document
    m_xml.writeEndDocument();
    // The contents' pages, now that every heading has one.
    for (const auto& [bookmark, page] : m_headingPages)
        m_bytes.replace((QChar(kPageMark) + bookmark + QChar(kPageMark)).toUtf8(),
                        QByteArray::number(page));
    return m_bytes;
}

}  // namespace calivue
