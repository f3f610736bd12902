#include "report/engine/pdfnavigation.h"

#include <qpdf/Buffer.hh>
#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>

namespace calivue {

namespace {

using Obj = QPDFObjectHandle;

// 300 dpi device units of the page, as the report draws them.
constexpr double kDeviceWidth = 2480.0, kDeviceHeight = 3508.0;

Obj name(const char* n)
{
    return Obj::newName(n);
}

Obj text(const QString& s)
{
    return Obj::newUnicodeString(s.toStdString());
}

// A destination: the top of the page, the whole page in view.
Obj destination(const Obj& page)
{
    Obj d = Obj::newArray();
    d.appendItem(page);
    d.appendItem(name("/Fit"));
    return d;
}

QString xmlEscaped(const QString& s)
{
    return s.toHtmlEscaped();
}

// The XMP packet with dc:title (and dc:creator) replaced by the given texts.
std::string withXmpTexts(std::string xmp, const QString& title, const QString& author)
{
    const auto replaceElement = [&xmp](const std::string& tag, const std::string& element) {
        const std::string open = "<" + tag + ">", close = "</" + tag + ">";
        const std::size_t a = xmp.find(open);
        if (a != std::string::npos) {
            const std::size_t b = xmp.find(close, a);
            if (b != std::string::npos) {
                xmp.replace(a, b + close.size() - a, element);
                return;
            }
        }
        // No such element: add it to the first description of the Dublin Core namespace.
        const std::size_t dc = xmp.find("xmlns:dc=");
        const std::size_t end = dc == std::string::npos ? dc : xmp.find('>', dc);
        if (end != std::string::npos) xmp.insert(end + 1, element);
    };
    replaceElement("dc:title", "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">" +
                                   xmlEscaped(title).toStdString() +
                                   "</rdf:li></rdf:Alt></dc:title>");
    if (!author.isEmpty())
        replaceElement("dc:creator", "<dc:creator><rdf:Seq><rdf:li>" +
                                         xmlEscaped(author).toStdString() +
                                         "</rdf:li></rdf:Seq></dc:creator>");
    return xmp;
}

// The writer's output gathered into pieces of 64 KiB for the sink (the writer hands over
// many small ones). After a refusal the rest is dropped: the writer runs to its end (an
// exception thrown through it may meet its own cleanup) and the caller asks refused().
class SinkPipeline final : public Pipeline {
public:
    explicit SinkPipeline(const PdfSink& sink) : Pipeline("report", nullptr), m_sink(sink)
    {
        m_buffer.reserve(kPiece);
    }
    void write(unsigned char const* data, size_t len) override
    {
        if (m_refused) return;
        m_buffer.insert(m_buffer.end(), reinterpret_cast<const char*>(data),
                        reinterpret_cast<const char*>(data) + len);
        if (m_buffer.size() >= kPiece) flush();
    }
    void finish() override { flush(); }
    void flush()
    {
        if (!m_refused && !m_buffer.empty())
            m_refused = !m_sink(std::span<const char>(m_buffer.data(), m_buffer.size()));
        m_buffer.clear();
    }
    bool refused() const { return m_refused; }

private:
    static constexpr std::size_t kPiece = 1 << 16;
    const PdfSink& m_sink;
    std::vector<char> m_buffer;
    bool m_refused = false;
};

}  // namespace

bool writePdfWithNavigation(const QByteArray& bytes, const PdfNavigation& nav, const PdfSink& sink,
                            QString* error)
{
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processMemoryFile("report", bytes.constData(), static_cast<size_t>(bytes.size()));
        const std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
        const auto pageCount = static_cast<int>(pages.size());
        Obj root = pdf.getRoot();

        // Title and author.
        Obj trailer = pdf.getTrailer();
        Obj info = trailer.getKey("/Info");
        if (!info.isDictionary()) {
            info = pdf.makeIndirectObject(Obj::newDictionary());
            trailer.replaceKey("/Info", info);
        }
        info.replaceKey("/Title", text(nav.title));
        if (!nav.author.isEmpty()) info.replaceKey("/Author", text(nav.author));
        if (Obj meta = root.getKey("/Metadata"); meta.isStream()) {
            const std::shared_ptr<Buffer> data = meta.getStreamData(qpdf_dl_all);
            std::string xmp(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
            meta.replaceStreamData(withXmpTexts(std::move(xmp), nav.title, nav.author),
                                   Obj::newNull(), Obj::newNull());
        }

        // The outline: one level, in the given order.
        std::vector<Obj> items;
        Obj outlines = pdf.makeIndirectObject(Obj::newDictionary());
        outlines.replaceKey("/Type", name("/Outlines"));
        for (const PdfOutlineEntry& e : nav.outline) {
            if (e.page < 0 || e.page >= pageCount) continue;
            Obj item = pdf.makeIndirectObject(Obj::newDictionary());
            item.replaceKey("/Title", text(e.title));
            item.replaceKey("/Parent", outlines);
            item.replaceKey("/Dest",
                            destination(pages[static_cast<std::size_t>(e.page)].getObjectHandle()));
            if (!items.empty()) {
                item.replaceKey("/Prev", items.back());
                items.back().replaceKey("/Next", item);
            }
            items.push_back(item);
        }
        if (!items.empty()) {
            outlines.replaceKey("/First", items.front());
            outlines.replaceKey("/Last", items.back());
            outlines.replaceKey("/Count", Obj::newInteger(static_cast<long long>(items.size())));
            root.replaceKey("/Outlines", outlines);
            root.replaceKey("/PageMode", name("/UseOutlines"));
        }

        // Links, each a print-flagged annotation without a border.
        for (const PdfLink& l : nav.links) {
            if (l.page < 0 || l.page >= pageCount || l.target < 0 || l.target >= pageCount)
                continue;
            Obj page = pages[static_cast<std::size_t>(l.page)].getObjectHandle();
            const QPDFObjectHandle::Rectangle box = page.getKey("/MediaBox").getArrayAsRectangle();
            const double sx = (box.urx - box.llx) / kDeviceWidth;
            const double sy = (box.ury - box.lly) / kDeviceHeight;
            Obj rect = Obj::newArray();
            rect.appendItem(Obj::newReal(box.llx + l.rect.left() * sx, 2));
            rect.appendItem(Obj::newReal(box.ury - l.rect.bottom() * sy, 2));
            rect.appendItem(Obj::newReal(box.llx + l.rect.right() * sx, 2));
            rect.appendItem(Obj::newReal(box.ury - l.rect.top() * sy, 2));
            Obj border = Obj::newArray();
            for (int k = 0; k < 3; ++k) border.appendItem(Obj::newInteger(0));
            Obj annot = pdf.makeIndirectObject(Obj::newDictionary());
            annot.replaceKey("/Type", name("/Annot"));
            annot.replaceKey("/Subtype", name("/Link"));
            annot.replaceKey("/Rect", rect);
            annot.replaceKey("/Border", border);
            annot.replaceKey("/F", Obj::newInteger(4));
            annot.replaceKey(
                "/Dest", destination(pages[static_cast<std::size_t>(l.target)].getObjectHandle()));
            Obj annots = page.getKey("/Annots");
            if (!annots.isArray()) {
                annots = Obj::newArray();
                page.replaceKey("/Annots", annots);
            }
            annots.appendItem(annot);
        }

        SinkPipeline out(sink);
        QPDFWriter writer(pdf);
        writer.setOutputPipeline(&out);
        writer.setStaticID(false);
        writer.write();
        out.flush();
        return !out.refused();
    } catch (const std::exception& e) {
        if (error) *error = QString::fromUtf8(e.what());
        return false;
    }
}

QByteArray addPdfNavigation(const QByteArray& bytes, const PdfNavigation& nav, QString* error)
{
    QByteArray out;
    const bool written = writePdfWithNavigation(
        bytes, nav,
        [&out](std::span<const char> piece) {
            out.append(piece.data(), static_cast<qsizetype>(piece.size()));
            return true;
        },
        error);
    return written ? out : QByteArray();
}

}  // namespace calivue
