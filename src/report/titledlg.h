// TitleDlg: the "Title Page" page of the report writer. Company, author, an optional date,
// general comments and a logo picture for the report's title page; company, author and logo
// persist in the settings store, and in the Custom template the four labels are captions the
// user edits, persisted too.
#pragma once

#include "reportcontext.h"

#include "core/reportdata.h"

#include <QImage>
#include <QWidget>

#include <array>

namespace calivue {

class TitleDlg : public QWidget {
    Q_OBJECT

public:
    explicit TitleDlg(ReportContext& context, QWidget* parent = nullptr);
    // Writes Company and Author, then every changed caption.
    ~TitleDlg() override;

    // The values the report and the project file take (logoPath, company, author,
    // dateShown, titleDate, comments), read from the controls.
    ReportTitle title() const;
    // The four captions in project-file order (company, author, date, comments).
    std::array<std::u16string, 4> captions() const;
    // The loaded logo (null when none) and its size in device pixels (−1 × −1 when none).
    const QImage& logo() const;
    QSize logoSize() const;

    // Project load: forget the picture size; reload logo, company and author from the
    // settings; date = now and shown; comments emptied; marks the project modified.
    void resetForProjectLoad();
    // Setters of a project being read. An empty logo path removes the logo; a non-empty one
    // is taken only if the picture loads (false otherwise, the previous logo staying).
    bool setLogoPath(const QString& path);
    void setCompany(const QString& text);
    void setAuthor(const QString& text);
    void setDateShown(bool shown);
    void setTitleDate(const cDateTime& date);
    void setComments(const QString& text);
    // Caption i (1-4): stored, written to the settings at once, shown.
    void setCaption(int i, const QString& text);
    // The Template dialog's Reset: the four defaults, each written, then shown.
    void resetCaptions();
    // Leaving the page: writes every changed caption and clears the flags.
    void leavePage();
};

}  // namespace calivue
