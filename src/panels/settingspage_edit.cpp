// What the settings page's controls do to the document's image: typed and stepped
// reflected temperatures and emissivities, the lookup, the unit, the capture moment, the
// comments and the voice annotation.
#include "panels/settingspage.h"

#include "panels/emissivitydlg.h"
#include "panels/pagetext.h"

#include "core/snapshotfiles.h"
#include "document/vantorodoc.h"
#include "platform/fspath.h"
#include "desktop/messagedlg.h"
#include "desktop/soundplayer.h"
#include "platform/stringids.h"

#include <QDateEdit>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTimeEdit>
#include <QTimer>

#include <cmath>

namespace calivue {

namespace {

// The accepted reflected temperatures, in °C and in kelvins.
constexpr double kReflectedLowC = -20.0, kReflectedHighC = 200.0;
constexpr double kReflectedLowK = 253.2, kReflectedHighK = 473.2;
// 253.2 K and -4 °F convert to -20 °C only up to rounding; the limits must still accept them.
constexpr double kTolerance = 1e-9;

// One box per kind of message, whichever page or control raised it.
bool g_reflectedMessageOpen = false;
bool g_emissivityMessageOpen = false;

int reflectedMessageFor(std::optional<TempUnit> unit)
{
    if (!unit) return sid::ReflectedOutOfRange;
    switch (*unit) {
        case TempUnit::Celsius:
            return sid::ReflectedRangeCelsius;
        case TempUnit::Fahrenheit:
            return sid::ReflectedRangeFahrenheit;
        case TempUnit::Kelvin:
            return sid::ReflectedRangeKelvin;
    }
    return sid::ReflectedOutOfRange;
}

std::uint8_t timePart(bool valid, int value)
{
    return valid ? static_cast<std::uint8_t>(value) : std::uint8_t{255};
}

}  // namespace

void cSettingsPage::OnUnit(int index)
{
    if (!HasImage() || index < 0) return;
    // The list holds the units in their stored order.
    m_doc->setUnit(tempUnitFrom(index).value_or(TempUnit::Kelvin));
    Refresh();
}

// --- reflected temperature ---------------------------------------------------------------

void cSettingsPage::SetReflectedTemperature(double value)
{
    if (!HasImage()) return;
    const cBrixa& image = m_doc->image();
    const double celsius = image.toCelsius(value);
    if (!image.tempUnit() || !std::isfinite(value) || celsius < kReflectedLowC - kTolerance ||
        celsius > kReflectedHighC + kTolerance) {
        RefuseReflected(true);
        return;
    }
    // The record keeps kelvins × the raw scale; converting through tenths of a kelvin would
    // be right only for the scale of 10 counts per kelvin.
    StoreReflected(image.reflectedRawFor(value));
}

void cSettingsPage::StepReflected(int steps)
{
    if (!HasImage()) return;
    const cBrixa& image = m_doc->image();
    const int scale = static_cast<int>(std::lround(image.scale()));
    const int raw = image.fields.reflected + steps * scale;
    if (raw > std::lround(kReflectedHighK * image.scale()) ||
        raw < std::lround(kReflectedLowK * image.scale())) {
        ShowReflected();
        RefuseReflected(false);
        return;
    }
    StoreReflected(raw);
}

void cSettingsPage::StoreReflected(int raw)
{
    m_doc->setReflected(raw);
    ShowReflected();
}

void cSettingsPage::RefuseReflected(bool refocus)
{
    if (g_reflectedMessageOpen) return;
    g_reflectedMessageOpen = true;
    const QPointer<cSettingsPage> self(this);
    cMessageDlg::messageBox(reflectedMessageFor(m_doc->image().tempUnit()),
                            cMessageDlg::IconExclamation, cMessageDlg::ButtonsOk, this);
    g_reflectedMessageOpen = false;
    if (self && refocus) TakeFocusBack(m_reflected);
}

// --- global emissivity ---------------------------------------------------------------------

void cSettingsPage::SetGlobalEmissivity(double value)
{
    if (!HasImage()) return;
    // Below half a hundredth the stored emissivity would be 0, which makes every reading 0.
    if (!std::isfinite(value) || value > 1.0 || value <= 0.0 || hundredthsOf(value) < 1) {
        RefuseEmissivity(true);
        return;
    }
    StoreEmissivity(hundredthsOf(value));
}

void cSettingsPage::StepEmissivity(int steps)
{
    if (!HasImage()) return;
    const int hundredths = m_doc->image().fields.emissivity[10] + steps;
    if (hundredths < 1 || hundredths > 100) {
        ShowEmissivity();
        RefuseEmissivity(false);
        return;
    }
    StoreEmissivity(hundredths);
}

void cSettingsPage::StoreEmissivity(int hundredths)
{
    m_doc->setImageEmissivity(hundredths);
    ShowEmissivity();
}

void cSettingsPage::RefuseEmissivity(bool refocus)
{
    if (g_emissivityMessageOpen) return;
    g_emissivityMessageOpen = true;
    const QPointer<cSettingsPage> self(this);
    cMessageDlg::messageBox(sid::EmissivityOutOfRange, cMessageDlg::IconExclamation,
                            cMessageDlg::ButtonsOk, this);
    g_emissivityMessageOpen = false;
    if (self && refocus) TakeFocusBack(m_emissivity);
}

// Queued, because the refusal runs inside the field's focus-out: the field must finish
// losing the focus before it takes it back, or it would end up focused without a cursor.
void cSettingsPage::TakeFocusBack(QLineEdit* edit)
{
    QTimer::singleShot(0, edit, [edit] {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    });
}

void cSettingsPage::LookupEmissivity()
{
    if (!HasImage()) return;
    const double shown = leadingNumber(m_emissivity->text());
    cEmissivityDlg dlg(this);
    dlg.setEmissivity(shown);
    if (dlg.run() == QDialog::Accepted && dlg.emissivity() != shown)
        SetGlobalEmissivity(dlg.emissivity());
}

// --- capture moment --------------------------------------------------------------------------

void cSettingsPage::OnCaptureTime(const QTime& time)
{
    if (!HasImage()) return;
    const bool valid = time.isValid();
    m_doc->setCaptureTime(timePart(valid, time.hour()), timePart(valid, time.minute()),
                          timePart(valid, time.second()));
}

void cSettingsPage::OnCaptureDate(const QDate& date)
{
    if (!HasImage()) return;
    const bool valid = date.isValid() && date.year() > 0 && date.year() <= 0xFFFF;
    m_doc->setCaptureDate(valid ? date.day() : 0, valid ? date.month() : 0,
                          valid ? date.year() : 0);
}

// --- comments --------------------------------------------------------------------------------

void cSettingsPage::OnComments()
{
    KeepTypedCommentLimit();
    m_commentText = m_comments->toPlainText();
    if (!HasImage()) return;
    m_doc->setComments(commentBytesOf(m_commentText));
}

// Typing may not take the comment past the typed limit, nor past a longer stored comment.
// What was just inserted ends at the cursor, so the excess is taken off there.
void cSettingsPage::KeepTypedCommentLimit()
{
    const QString text = m_comments->toPlainText();
    const qsizetype allowed = std::max<qsizetype>(kTypedCommentLimit, m_commentText.size());
    if (text.size() <= allowed) return;
    QTextCursor cursor = m_comments->textCursor();
    const qsizetype excess = text.size() - allowed;
    const int end = cursor.position();
    const int start = std::max(0, end - static_cast<int>(excess));
    const QSignalBlocker block(m_comments);
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    m_comments->setTextCursor(cursor);
    // A cursor too close to the start to hold the whole excess: cut the end instead.
    if (m_comments->toPlainText().size() > allowed) {
        m_comments->setPlainText(m_comments->toPlainText().left(allowed));
        m_comments->moveCursor(QTextCursor::End);
    }
}

// --- voice annotation ------------------------------------------------------------------------

QString cSettingsPage::VoiceAnnotationPath() const
{
    if (!HasImage() || m_doc->currentPath().isEmpty()) return {};
    const std::string stored = recordText(m_doc->image().fields.textB);
    QString name = QString::fromLatin1(stored.data(), static_cast<qsizetype>(stored.size()));
    if (!name.contains(QLatin1String(".wav"), Qt::CaseInsensitive)) return {};
    // The record names a file beside the snapshot; a folder part is not followed.
    name = name.mid(
        std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\'))) + 1);
    if (name.isEmpty()) return {};
    const QString path = QFileInfo(m_doc->currentPath()).absolutePath() + QLatin1Char('/') + name;
    // The camera writes IR_0001.WAV; a name that differs only in case still finds it.
    const auto found = findCompanion(toFsPath(path));
    return found ? fromFsPath(*found) : path;
}

void cSettingsPage::PlayAnnotation()
{
    const QString path = VoiceAnnotationPath();
    if (!path.isEmpty()) playSound(path);
}

}  // namespace calivue
