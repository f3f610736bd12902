// Internal to the report/engine layer.
// The fixed parts of the report's Word document, written with Qt's XML writer: the content
// types, the package and document relationships, the styles every paragraph and table of the
// body names (so a company restyles the whole report in one place), the settings (fields
// updated on opening), the footer with its page fields and the document's title and author.
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace calivue {

// The relationship ids of the document part: its fixed parts, then one per picture.
inline const QString kStylesRelation = QStringLiteral("rIdStyles");
inline const QString kSettingsRelation = QStringLiteral("rIdSettings");
inline const QString kFooterRelation = QStringLiteral("rIdFooter");

QByteArray docxContentTypes();
QByteArray docxPackageRelations();
// media: the pictures' part names under word/ ("media/image1.png"), relationship "rIdImage<n>"
// for the n-th (1-based).
QByteArray docxDocumentRelations(const std::vector<QString>& media);
QString docxImageRelation(std::size_t n);

// rightToLeft: the report's language runs right to left (paragraph and run defaults).
QByteArray docxStyles(bool rightToLeft);
QByteArray docxSettings();

// The footer: `before`, the PAGE field, `between`, the NUMPAGES field, `after` ("Page ", " of ",
// "" in English), right-aligned.
struct DocxPageText {
    QString before, between, after;
    bool totalFirst = false;  // the language names the total first
};
// Splits the language's "Page X of Y" into the texts around the two numbers.
DocxPageText docxPageText(const QString& pageOfTwoSentinels, const QString& page,
                          const QString& total);
QByteArray docxFooter(const DocxPageText& text, bool rightToLeft);

// docProps/core.xml: title and author; created now.
QByteArray docxCoreProperties(const QString& title, const QString& author);

}  // namespace calivue
