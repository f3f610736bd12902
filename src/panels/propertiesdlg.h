// cPropertiesDlg: the modal, read-only summary of the open image that the document's
// Properties command shows — reflected temperature, emissivity, colour span, palette, file
// name, capture and modification moments, and the comment text.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace calivue {

class CVantoroDoc;
struct RecordTime;

class cPropertiesDlg : public QDialog {
    Q_OBJECT

public:
    // Fills every value from doc's image at construction; without a document or an image
    // the values stay empty. doc is not kept.
    explicit cPropertiesDlg(CVantoroDoc* doc, QWidget* parent = nullptr);

    // The texts of a record moment as the dialog shows them: the system locale's short
    // time-only and date-only texts; "--" for a time (date) whose parts are all zero; empty
    // for a part that is no real time (date), and for both when the moment does not
    // survive a round trip through local time.
    static QString timeText(const RecordTime& moment);
    static QString dateText(const RecordTime& moment);

    QString reflectedText() const;
    QString emissivityText() const;
    QString spanText() const;
    QString paletteText() const;
    QString fileText() const;
    QString captureTimeText() const;
    QString captureDateText() const;
    QString modifiedTimeText() const;
    QString modifiedDateText() const;
    QString commentText() const;
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

private:
    void Fill(CVantoroDoc& doc);

    QLabel* m_reflected = nullptr;
    QLabel* m_emissivity = nullptr;
    QLabel* m_span = nullptr;
    QLabel* m_palette = nullptr;
    QLabel* m_file = nullptr;
    QLabel* m_captureTime = nullptr;
    QLabel* m_captureDate = nullptr;
    QLabel* m_modifiedTime = nullptr;
    QLabel* m_modifiedDate = nullptr;
    QPlainTextEdit* m_comment = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

}  // namespace calivue
