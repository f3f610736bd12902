#include "report/engine/docxparts.h"

#include "report/engine/docxbody.h"

#include <QDateTime>
#include <QXmlStreamWriter>

#include <functional>

namespace calivue {

namespace {

const QString kW = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString kR =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QString kRelations =
    QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships");
const QString kOfficeRelation =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/");
const QString kMain =
    QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.");

QByteArray xmlPart(const std::function<void(QXmlStreamWriter&)>& body)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    body(xml);
    xml.writeEndDocument();
    return bytes;
}

// <w:name w:val="value"/>
void wVal(QXmlStreamWriter& xml, const char* name, const QString& value)
{
    xml.writeEmptyElement(kW, QString::fromLatin1(name));
    xml.writeAttribute(kW, QStringLiteral("val"), value);
}

void wFlag(QXmlStreamWriter& xml, const char* name)
{
    xml.writeEmptyElement(kW, QString::fromLatin1(name));
}

void relation(QXmlStreamWriter& xml, const QString& id, const QString& type, const QString& to)
{
    xml.writeEmptyElement(QStringLiteral("Relationship"));
    xml.writeAttribute(QStringLiteral("Id"), id);
    xml.writeAttribute(QStringLiteral("Type"), type);
    xml.writeAttribute(QStringLiteral("Target"), to);
}

// The size of a run in half points, for both the Latin and the complex scripts.
void size(QXmlStreamWriter& xml, int halfPoints)
{
    wVal(xml, "sz", QString::number(halfPoints));
    wVal(xml, "szCs", QString::number(halfPoints));
}

void spacing(QXmlStreamWriter& xml, int before, int after)
{
    xml.writeEmptyElement(kW, QStringLiteral("spacing"));
    xml.writeAttribute(kW, QStringLiteral("before"), QString::number(before));
    xml.writeAttribute(kW, QStringLiteral("after"), QString::number(after));
}

struct ParagraphStyle {
    const char* id;
    const char* name;
    bool keepNext = false, pageBreak = false;
    int before = 0, after = 80;
    const char* align = nullptr;
    int outline = -1;
    bool bold = false;
    int halfPoints = 0;     // 0: the default
    bool rightTab = false;  // a dotted tab stop at the right text edge (contents rows)
};

void paragraphStyle(QXmlStreamWriter& xml, const ParagraphStyle& s)
{
    xml.writeStartElement(kW, QStringLiteral("style"));
    xml.writeAttribute(kW, QStringLiteral("type"), QStringLiteral("paragraph"));
    if (QLatin1String(s.id) == QLatin1String("Normal"))
        xml.writeAttribute(kW, QStringLiteral("default"), QStringLiteral("1"));
    xml.writeAttribute(kW, QStringLiteral("styleId"), QString::fromLatin1(s.id));
    wVal(xml, "name", QString::fromLatin1(s.name));
    if (QLatin1String(s.id) != QLatin1String("Normal")) {
        wVal(xml, "basedOn", QStringLiteral("Normal"));
        wVal(xml, "next", QStringLiteral("Normal"));
    }
    wFlag(xml, "qFormat");
    xml.writeStartElement(kW, QStringLiteral("pPr"));
    if (s.keepNext) wFlag(xml, "keepNext");
    if (s.pageBreak) wFlag(xml, "pageBreakBefore");
    if (s.rightTab) {
        xml.writeStartElement(kW, QStringLiteral("tabs"));
        xml.writeEmptyElement(kW, QStringLiteral("tab"));
        xml.writeAttribute(kW, QStringLiteral("val"), QStringLiteral("right"));
        xml.writeAttribute(kW, QStringLiteral("leader"), QStringLiteral("dot"));
        xml.writeAttribute(kW, QStringLiteral("pos"), QString::number(kTextWidthTwips));
        xml.writeEndElement();
    }
    spacing(xml, s.before, s.after);
    if (s.align) wVal(xml, "jc", QString::fromLatin1(s.align));
    if (s.outline >= 0) wVal(xml, "outlineLvl", QString::number(s.outline));
    xml.writeEndElement();  // pPr
    if (s.bold || s.halfPoints > 0) {
        xml.writeStartElement(kW, QStringLiteral("rPr"));
        if (s.bold) {
            wFlag(xml, "b");
            wFlag(xml, "bCs");
        }
        if (s.halfPoints > 0) size(xml, s.halfPoints);
        xml.writeEndElement();
    }
    xml.writeEndElement();  // style
}

void border(QXmlStreamWriter& xml, const char* side, bool shown)
{
    xml.writeEmptyElement(kW, QString::fromLatin1(side));
    xml.writeAttribute(kW, QStringLiteral("val"),
                       shown ? QStringLiteral("single") : QStringLiteral("nil"));
    if (!shown) return;
    xml.writeAttribute(kW, QStringLiteral("sz"), QStringLiteral("4"));
    xml.writeAttribute(kW, QStringLiteral("space"), QStringLiteral("0"));
    xml.writeAttribute(kW, QStringLiteral("color"), QStringLiteral("000000"));
}

void tableStyle(QXmlStreamWriter& xml, const char* id, const char* name, bool lines)
{
    xml.writeStartElement(kW, QStringLiteral("style"));
    xml.writeAttribute(kW, QStringLiteral("type"), QStringLiteral("table"));
    xml.writeAttribute(kW, QStringLiteral("styleId"), QString::fromLatin1(id));
    wVal(xml, "name", QString::fromLatin1(name));
    xml.writeStartElement(kW, QStringLiteral("tblPr"));
    xml.writeStartElement(kW, QStringLiteral("tblBorders"));
    for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"})
        border(xml, side, lines);
    xml.writeEndElement();
    xml.writeStartElement(kW, QStringLiteral("tblCellMar"));
    for (const auto& [side, width] :
         {std::pair{"top", 40}, {"left", 80}, {"bottom", 40}, {"right", 80}}) {
        xml.writeEmptyElement(kW, QString::fromLatin1(side));
        xml.writeAttribute(kW, QStringLiteral("w"), QString::number(lines ? width : 0));
        xml.writeAttribute(kW, QStringLiteral("type"), QStringLiteral("dxa"));
    }
    xml.writeEndElement();  // tblCellMar
    xml.writeEndElement();  // tblPr
    if (lines) {
        // The header row bold on a light shade, the label column bold.
        xml.writeStartElement(kW, QStringLiteral("tblStylePr"));
        xml.writeAttribute(kW, QStringLiteral("type"), QStringLiteral("firstRow"));
        xml.writeStartElement(kW, QStringLiteral("rPr"));
        wFlag(xml, "b");
        wFlag(xml, "bCs");
        xml.writeEndElement();
        xml.writeStartElement(kW, QStringLiteral("tcPr"));
        xml.writeEmptyElement(kW, QStringLiteral("shd"));
        xml.writeAttribute(kW, QStringLiteral("val"), QStringLiteral("clear"));
        xml.writeAttribute(kW, QStringLiteral("color"), QStringLiteral("auto"));
        xml.writeAttribute(kW, QStringLiteral("fill"), QStringLiteral("E7ECF3"));
        xml.writeEndElement();
        xml.writeEndElement();  // tblStylePr
        xml.writeStartElement(kW, QStringLiteral("tblStylePr"));
        xml.writeAttribute(kW, QStringLiteral("type"), QStringLiteral("firstCol"));
        xml.writeStartElement(kW, QStringLiteral("rPr"));
        wFlag(xml, "b");
        wFlag(xml, "bCs");
        xml.writeEndElement();
        xml.writeEndElement();  // tblStylePr
    }
    xml.writeEndElement();  // style
}

}  // namespace

QByteArray docxContentTypes()
{
    return xmlPart([](QXmlStreamWriter& xml) {
        xml.writeDefaultNamespace(
            QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types"));
        xml.writeStartElement(QStringLiteral("Types"));
        const auto byExtension = [&](const char* extension, const QString& type) {
            xml.writeEmptyElement(QStringLiteral("Default"));
            xml.writeAttribute(QStringLiteral("Extension"), QString::fromLatin1(extension));
            xml.writeAttribute(QStringLiteral("ContentType"), type);
        };
        byExtension("rels",
                    QStringLiteral("application/vnd.openxmlformats-package.relationships+xml"));
        byExtension("xml", QStringLiteral("application/xml"));
        byExtension("png", QStringLiteral("image/png"));
        const auto part = [&](const char* name, const QString& type) {
            xml.writeEmptyElement(QStringLiteral("Override"));
            xml.writeAttribute(QStringLiteral("PartName"), QString::fromLatin1(name));
            xml.writeAttribute(QStringLiteral("ContentType"), type);
        };
        part("/word/document.xml", kMain + QStringLiteral("document.main+xml"));
        part("/word/styles.xml", kMain + QStringLiteral("styles+xml"));
        part("/word/settings.xml", kMain + QStringLiteral("settings+xml"));
        part("/word/footer1.xml", kMain + QStringLiteral("footer+xml"));
        part("/docProps/core.xml",
             QStringLiteral("application/vnd.openxmlformats-package.core-properties+xml"));
        xml.writeEndElement();
    });
}

QByteArray docxPackageRelations()
{
    return xmlPart([](QXmlStreamWriter& xml) {
        xml.writeDefaultNamespace(kRelations);
        xml.writeStartElement(QStringLiteral("Relationships"));
        relation(xml, QStringLiteral("rIdDocument"),
                 kOfficeRelation + QStringLiteral("officeDocument"),
                 QStringLiteral("word/document.xml"));
        relation(xml, QStringLiteral("rIdCore"),
                 QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships/"
                                "metadata/core-properties"),
                 QStringLiteral("docProps/core.xml"));
        xml.writeEndElement();
    });
}

QString docxImageRelation(std::size_t n)
{
    return QStringLiteral("rIdImage") + QString::number(n);
}

QByteArray docxDocumentRelations(const std::vector<QString>& media)
{
    return xmlPart([&media](QXmlStreamWriter& xml) {
        xml.writeDefaultNamespace(kRelations);
        xml.writeStartElement(QStringLiteral("Relationships"));
        relation(xml, kStylesRelation, kOfficeRelation + QStringLiteral("styles"),
                 QStringLiteral("styles.xml"));
        relation(xml, kSettingsRelation, kOfficeRelation + QStringLiteral("settings"),
                 QStringLiteral("settings.xml"));
        relation(xml, kFooterRelation, kOfficeRelation + QStringLiteral("footer"),
                 QStringLiteral("footer1.xml"));
        for (std::size_t i = 0; i < media.size(); ++i)
            relation(xml, docxImageRelation(i + 1), kOfficeRelation + QStringLiteral("image"),
                     media[i]);
        xml.writeEndElement();
    });
}

QByteArray docxStyles(bool rightToLeft)
{
    return xmlPart([rightToLeft](QXmlStreamWriter& xml) {
        xml.writeNamespace(kW, QStringLiteral("w"));
        xml.writeStartElement(kW, QStringLiteral("styles"));
        xml.writeStartElement(kW, QStringLiteral("docDefaults"));
        xml.writeStartElement(kW, QStringLiteral("rPrDefault"));
        xml.writeStartElement(kW, QStringLiteral("rPr"));
        // Arial, which LibreOffice shows in its metric twin Liberation Sans.
        xml.writeEmptyElement(kW, QStringLiteral("rFonts"));
        for (const char* script : {"ascii", "hAnsi", "cs"})
            xml.writeAttribute(kW, QString::fromLatin1(script), QStringLiteral("Arial"));
        size(xml, 20);
        xml.writeEndElement();  // rPr
        xml.writeEndElement();  // rPrDefault
        xml.writeStartElement(kW, QStringLiteral("pPrDefault"));
        xml.writeStartElement(kW, QStringLiteral("pPr"));
        if (rightToLeft) wFlag(xml, "bidi");
        spacing(xml, 0, 80);
        xml.writeEndElement();
        xml.writeEndElement();  // pPrDefault
        xml.writeEndElement();  // docDefaults

        const ParagraphStyle paragraphs[] = {
            {"Normal", "Normal"},
            {"Title", "Title", false, false, 1200, 600, "center", -1, true, 40},
            {"TOCHeading", "TOC Heading", true, true, 0, 240, nullptr, -1, true, 32},
            {"Heading1", "heading 1", true, true, 0, 240, nullptr, 0, true, 32},
            {"SectionLabel", "Section Label", true, false, 200, 60, nullptr, -1, true, 0},
            {"Caption", "caption", true, false, 120, 60, nullptr, -1, true, 18},
            {"Picture", "Picture", false, false, 0, 120},
            {"Logo", "Logo", false, false, 0, 240, "center"},
            {"TableText", "Table Text", false, false, 0, 0},
            // The colour scale's ends, beside the bar: at the picture's side of their cell. A
            // right-to-left report puts the picture on the right and the bar against it; the
            // ends ("25.5 °C") run left to right there, so they are aligned right.
            {"ScaleLabel", "Scale Label", false, false, 0, 0, rightToLeft ? "right" : nullptr},
            {"TOC1", "toc 1", false, false, 0, 60, nullptr, -1, false, 0, true},
            {"Footer", "footer", false, false, 0, 0, "right", -1, false, 16},
        };
        for (const ParagraphStyle& s : paragraphs) paragraphStyle(xml, s);
        tableStyle(xml, "ReportTable", "Report Table", true);
        tableStyle(xml, "PictureGrid", "Picture Grid", false);
        xml.writeEndElement();  // styles
    });
}

QByteArray docxSettings()
{
    return xmlPart([](QXmlStreamWriter& xml) {
        xml.writeNamespace(kW, QStringLiteral("w"));
        xml.writeStartElement(kW, QStringLiteral("settings"));
        wVal(xml, "defaultTabStop", QStringLiteral("720"));
        // The contents and page numbers are fields: Word brings them up to date on opening.
        wVal(xml, "updateFields", QStringLiteral("true"));
        xml.writeEndElement();
    });
}

DocxPageText docxPageText(const QString& text, const QString& page, const QString& total)
{
    DocxPageText out;
    const qsizetype p = text.indexOf(page), t = text.indexOf(total);
    if (p < 0 || t < 0) {
        out.between = QStringLiteral(" / ");
        return out;
    }
    out.totalFirst = t < p;
    const qsizetype first = std::min(p, t), second = std::max(p, t);
    const qsizetype firstLength = out.totalFirst ? total.size() : page.size();
    const qsizetype secondLength = out.totalFirst ? page.size() : total.size();
    out.before = text.left(first);
    out.between = text.mid(first + firstLength, second - first - firstLength);
    out.after = text.mid(second + secondLength);
    return out;
}

QByteArray docxFooter(const DocxPageText& text, bool rightToLeft)
{
    return xmlPart([&text, rightToLeft](QXmlStreamWriter& xml) {
        xml.writeNamespace(kW, QStringLiteral("w"));
        xml.writeNamespace(kR, QStringLiteral("r"));
        xml.writeStartElement(kW, QStringLiteral("ftr"));
        xml.writeStartElement(kW, QStringLiteral("p"));
        xml.writeStartElement(kW, QStringLiteral("pPr"));
        wVal(xml, "pStyle", QStringLiteral("Footer"));
        if (rightToLeft) wFlag(xml, "bidi");
        xml.writeEndElement();
        const auto run = [&](const QString& t) {
            if (t.isEmpty()) return;
            xml.writeStartElement(kW, QStringLiteral("r"));
            xml.writeStartElement(kW, QStringLiteral("t"));
            xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            xml.writeCharacters(docxText(t));
            xml.writeEndElement();
            xml.writeEndElement();
        };
        const auto fieldChar = [&](const char* type) {
            xml.writeStartElement(kW, QStringLiteral("r"));
            xml.writeEmptyElement(kW, QStringLiteral("fldChar"));
            xml.writeAttribute(kW, QStringLiteral("fldCharType"), QString::fromLatin1(type));
            xml.writeEndElement();
        };
        const auto field = [&](const char* name) {
            fieldChar("begin");
            xml.writeStartElement(kW, QStringLiteral("r"));
            xml.writeStartElement(kW, QStringLiteral("instrText"));
            xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            xml.writeCharacters(QStringLiteral(" %1 ").arg(QString::fromLatin1(name)));
            xml.writeEndElement();
            xml.writeEndElement();
            fieldChar("separate");
            run(QStringLiteral("1"));
            fieldChar("end");
        };
        run(text.before);
        field(text.totalFirst ? "NUMPAGES" : "PAGE");
        run(text.between);
        field(text.totalFirst ? "PAGE" : "NUMPAGES");
        run(text.after);
        xml.writeEndElement();  // p
        xml.writeEndElement();  // ftr
    });
}

QByteArray docxCoreProperties(const QString& title, const QString& author)
{
    return xmlPart([&](QXmlStreamWriter& xml) {
        const QString cp = QStringLiteral(
            "http://schemas.openxmlformats.org/package/2006/metadata/core-properties");
        const QString dc = QStringLiteral("http://purl.org/dc/elements/1.1/");
        const QString terms = QStringLiteral("http://purl.org/dc/terms/");
        const QString xsi = QStringLiteral("http://www.w3.org/2001/XMLSchema-instance");
        xml.writeNamespace(cp, QStringLiteral("cp"));
        xml.writeNamespace(dc, QStringLiteral("dc"));
        xml.writeNamespace(terms, QStringLiteral("dcterms"));
        xml.writeNamespace(xsi, QStringLiteral("xsi"));
        xml.writeStartElement(cp, QStringLiteral("coreProperties"));
        xml.writeTextElement(dc, QStringLiteral("title"), docxText(title));
        xml.writeTextElement(dc, QStringLiteral("creator"), docxText(author));
        xml.writeStartElement(terms, QStringLiteral("created"));
        xml.writeAttribute(xsi, QStringLiteral("type"), QStringLiteral("dcterms:W3CDTF"));
        xml.writeCharacters(
            QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss'Z'")));
        xml.writeEndElement();
        xml.writeEndElement();
    });
}

}  // namespace calivue
