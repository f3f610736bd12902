// TitleDlg: the "Title Page" page of the report writer. Shows and edits the report document's
// title values (company, author, an optional date, general comments and a logo picture) and
// the four title captions; every change goes to the document as it is made. Company, author and
// logo persist in the settings store, and in the Custom template the four labels are captions
// the user edits, persisted too.
#pragma once

#include "report/reportcontext.h"

#include "platform/pictureloader.h"

#include "core/reportdata.h"

#include <QImage>
#include <QWidget>

#include <array>

class QDateTimeEdit;
class QFrame;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace calivue {

class CReportDoc;

// Where a picture of `picture` pixels is drawn in a preview of `client` pixels: at its own size
// when it fits, else shrunk with its proportions kept to fit; centred either way.
QRect fitLogoRect(QSize picture, QSize client);

class TitleDlg : public QWidget {
    Q_OBJECT

public:
    explicit TitleDlg(ReportContext& context, QWidget* parent = nullptr);
    // Writes Company and Author, then every changed caption.
    ~TitleDlg() override;

    // The values the controls show (logoPath, company, author, dateShown, titleDate,
    // comments); the document holds the same once the page has passed them on.
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

    // "Set Image": asks for a .jpg or .bmp file; anything else is refused with a message.
    void chooseImage();
    // "Clear Image": no logo, and an empty LogoPath stored.
    void clearImage();
    // Loads the picture at `path` as the logo; when it cannot be read or decoded, the reason,
    // the previous logo staying and no message shown.
    Error loadLogo(const QString& path);

protected:
    // Paints the logo preview.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void initialise();
    void onCommentsChanged();
    void onCaptionEdited(int index);
    void onDateChoice(bool shown);
    // Passes the controls' values to the document (which marks the project modified when
    // they differ); nothing while the page is taking the document's values.
    void markModified() const;
    void pushCaptions() const;
    void showDocumentTitle();
    void showDocumentCaptions();
    void dropLogo();
    // The store's failure message, if any, with the warning icon.
    void writeSetting(QAnyStringView name, const QString& value);
    void writeChangedCaptions();
    QString defaultCaption(int index) const;

    ReportContext& m_ctx;
    CReportDoc& m_doc;
    QLineEdit* m_company = nullptr;
    QLineEdit* m_author = nullptr;
    QRadioButton* m_dated = nullptr;
    QRadioButton* m_undated = nullptr;
    QDateTimeEdit* m_date = nullptr;
    QPlainTextEdit* m_comments = nullptr;
    QLineEdit* m_logoPathBox = nullptr;
    QFrame* m_preview = nullptr;
    QPushButton* m_setImage = nullptr;
    QPushButton* m_clearImage = nullptr;
    QPushButton* m_newSurvey = nullptr;
    std::array<QLineEdit*, 4> m_captionBoxes{};
    std::array<bool, 4> m_captionChanged{};
    QImage m_logo;
    QSize m_logoSize{-1, -1};
    QString m_logoPath;
    QString m_toldLogo;     // a project's logo that did not load, told once
    cDateTime m_titleDate;  // kept as stored, so a project's value reads back unchanged
    bool m_initialised = false;
    bool m_programmatic = false;  // set while a setter fills a control
    bool m_applying = false;      // set while the page takes the document's values
};

}  // namespace calivue
