// cSettingsPage: the third page of the options sheet. It edits the per-image settings that
// the snapshot record carries — temperature unit, reflected temperature, global emissivity,
// capture time and date, comments — shows the image's caption and plays its voice
// annotation. Every change is written into the document's image; the document is marked
// modified only when a value really changed, and recomputes its measurements where the
// change affects readings.
#pragma once

#include "document/docchange.h"

#include <QList>
#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <span>

class QComboBox;
class QDate;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTime;
class QTimeEdit;
class QToolButton;

namespace calivue {

class CVantoroDoc;

// The record's comment field (Latin-1, zero-padded) as the edits show it: up to the first
// zero byte, with the stored CR LF line breaks as plain line breaks.
QString commentTextOf(std::span<const std::uint8_t> field);
// A comment as the record stores it: CR LF line breaks, Latin-1 ('?' for characters
// outside it), cut to 255 bytes without splitting a line break, zero-padded.
std::array<std::uint8_t, 256> commentBytesOf(const QString& text);

class cSettingsPage : public QWidget {
    Q_OBJECT

public:
    // Characters the user may type into the comments; a longer stored comment is shown whole
    // and may be shortened, not lengthened.
    static constexpr int kTypedCommentLimit = 127;

    explicit cSettingsPage(QWidget* parent = nullptr);

    // Gives the page the document (not owned) and fills the controls from its image. With a
    // null document, or one without an image, the controls are disabled and every change
    // is ignored.
    void AttachDocument(CVantoroDoc* doc);
    // Every control from the image, without handing anything back to the document. The
    // capture pickers keep their values when the image's capture moment is impossible.
    void Refresh();

    // A typed emissivity (a fraction): refused with a message and the focus back in the
    // field unless 0 < value <= 1 and at least one hundredth; otherwise stored in hundredths.
    void SetGlobalEmissivity(double value);
    // A typed reflected temperature in the image's unit: refused with the unit's message
    // and the focus back in the field outside -20…200 °C; otherwise stored in raw counts.
    void SetReflectedTemperature(double value);

    // The up-down controls: +1 is one step up (one kelvin warmer, one hundredth more).
    void StepReflected(int steps);
    void StepEmissivity(int steps);
    // ">>": the emissivity lookup dialog, applied when its choice differs from the field.
    void LookupEmissivity();
    // "Play": the voice annotation beside the document's file, played in the background.
    void PlayAnnotation();
    // The file "Play" would play: the annotation name in the document's folder (found
    // without regard to case); empty when the image names no .wav or the document has no file.
    QString VoiceAnnotationPath() const;

    // The controls, for the sheet and for tests.
    QComboBox* unitList() const { return m_unit; }
    QLineEdit* reflectedEdit() const { return m_reflected; }
    QToolButton* reflectedUpButton() const { return m_reflectedUp; }
    QToolButton* reflectedDownButton() const { return m_reflectedDown; }
    QLineEdit* emissivityEdit() const { return m_emissivity; }
    QToolButton* emissivityUpButton() const { return m_emissivityUp; }
    QToolButton* emissivityDownButton() const { return m_emissivityDown; }
    QPushButton* lookupButton() const { return m_lookup; }
    QTimeEdit* captureTimeEdit() const { return m_captureTime; }
    QDateEdit* captureDateEdit() const { return m_captureDate; }
    QPlainTextEdit* commentsEdit() const { return m_comments; }
    QLineEdit* captionEdit() const { return m_caption; }
    QPushButton* playButton() const { return m_play; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ConnectControls();
    bool HasImage() const;
    void SetControlsEnabled(bool enabled);
    void RefreshPickers();
    void ShowReflected();
    void ShowEmissivity();

    // Change handlers of the controls (settingspage_edit.cpp).
    void OnUnit(int index);
    void OnCaptureTime(const QTime& time);
    void OnCaptureDate(const QDate& date);
    void OnComments();
    void KeepTypedCommentLimit();
    // Shows the message for the refused value; with refocus the field takes the focus back
    // with its text selected. At most one box of each kind is open at a time.
    void RefuseReflected(bool refocus);
    void RefuseEmissivity(bool refocus);
    void TakeFocusBack(QLineEdit* edit);
    void StoreReflected(int raw);
    void StoreEmissivity(int hundredths);

    QPointer<CVantoroDoc> m_doc;
    QList<QMetaObject::Connection> m_docConnections;

    QComboBox* m_unit = nullptr;
    QLineEdit* m_reflected = nullptr;
    QToolButton* m_reflectedUp = nullptr;
    QToolButton* m_reflectedDown = nullptr;
    QLineEdit* m_emissivity = nullptr;
    QToolButton* m_emissivityUp = nullptr;
    QToolButton* m_emissivityDown = nullptr;
    QPushButton* m_lookup = nullptr;
    QLabel* m_correctionLabel = nullptr;
    QLineEdit* m_correction = nullptr;  // kept hidden: the correction is not user-set
    QTimeEdit* m_captureTime = nullptr;
    QDateEdit* m_captureDate = nullptr;
    QPlainTextEdit* m_comments = nullptr;
    QString m_commentText;  // what the comments edit held after its last accepted change
    QLineEdit* m_caption = nullptr;
    QPushButton* m_play = nullptr;
};

}  // namespace calivue
