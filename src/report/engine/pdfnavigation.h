// Internal to the report/engine layer.
// Navigation added to a finished PDF document: the outline (bookmarks), links from places on
// a page to other pages, and the document's title and author in both its information
// dictionary and its XMP metadata (kept in step, as PDF/A asks). Qt's PDF writer makes none of
// these, so the report engine adds them while the finished document is written out.
#pragma once

#include <QByteArray>
#include <QRectF>
#include <QString>

#include <functional>
#include <span>
#include <vector>

namespace calivue {

struct PdfOutlineEntry {
    QString title;
    int page = 0;  // 0-based
};

// A link on `page` (0-based) over rect, in the page's device units (300 dpi from the top
// left), to the top of page `target` (0-based).
struct PdfLink {
    int page = 0;
    QRectF rect;
    int target = 0;
};

struct PdfNavigation {
    QString title;
    QString author;  // empty: none is set
    std::vector<PdfOutlineEntry> outline;
    std::vector<PdfLink> links;
};

// Takes the finished document piece by piece, in order; false stops the writing (the sink
// keeps its own reason).
using PdfSink = std::function<bool(std::span<const char> bytes)>;

// Writes the document with the navigation added to sink as it is produced, without holding
// a second copy of it. Entries and links naming pages the document does not have are left
// out. False on failure: bytes that are not a PDF the reader can take (the reason in *error)
// or a sink that refused.
bool writePdfWithNavigation(const QByteArray& pdf, const PdfNavigation& navigation,
                            const PdfSink& sink, QString* error = nullptr);

// The document with the navigation added, in memory; on failure an empty array and the
// reason in *error.
QByteArray addPdfNavigation(const QByteArray& pdf, const PdfNavigation& navigation,
                            QString* error = nullptr);

}  // namespace calivue
