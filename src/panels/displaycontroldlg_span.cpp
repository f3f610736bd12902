// The display control page's two span edits: they show the span's ends as temperatures, and a
// typed end is checked and handed to the document when the edit loses the focus.
#include "panels/displaycontroldlg.h"

#include "panels/pagetext.h"

#include "document/vantorodoc.h"
#include "desktop/messagedlg.h"
#include "platform/stringids.h"

#include <QLineEdit>
#include <QPointer>
#include <QSignalBlocker>

namespace calivue {

namespace {

// Set while a span message is open. The box takes the focus from the edit, and the restored
// text is a change notification: both would run the check again and stack a second box.
bool g_spanMessageOpen = false;

constexpr double kHighestCelsius = 1000.0;
constexpr double kLowestCelsius = -273.0;

// A temperature as its edit shows it: rounded to one decimal.
double asShown(double value)
{
    return QString::asprintf("%0.01f", value).toDouble();
}

}  // namespace

QString cDisplayControlDlg::SpanText(SpanEnd end, int raw) const
{
    const cBrixa& image = m_doc->image();
    const double reading = image.rawToTemperature(raw);
    const TypedEnd& typed = m_typed[end];
    const bool asTyped = typed.raw == raw && typed.reading == reading;
    return formatTemperature(asTyped ? typed.typed : reading,
                             QString::fromStdString(image.unitText()));
}

void cDisplayControlDlg::RefreshSpan()
{
    const bool show = HasImage();
    for (SpanEnd end : {Low, High}) {
        const QString text =
            show ? SpanText(end, end == Low ? m_doc->spanLow() : m_doc->spanHigh()) : QString();
        // Written silently: showing the document's span must not apply it back.
        const QSignalBlocker block(m_spanEdit[end]);
        m_spanEdit[end]->setText(text);
        m_seenText[end] = text;
    }
}

void cDisplayControlDlg::OnSpanKillFocus(SpanEnd end)
{
    if (g_spanMessageOpen || !HasImage()) return;
    ApplySpanValue(end, leadingNumber(m_spanEdit[end]->text()));
}

void cDisplayControlDlg::OnSpanTextChanged(SpanEnd end, const QString& text)
{
    const QString seen = m_seenText[end];
    // Remembered before applying: a refused value restores the edit, and that restored text
    // is what the edit shows afterwards.
    m_seenText[end] = text;
    if (text == seen && !g_spanMessageOpen && HasImage()) ApplySpanValue(end, leadingNumber(seen));
}

bool cDisplayControlDlg::ApplySpanValue(SpanEnd end, double value)
{
    cBrixa& image = m_doc->image();
    const double celsius = image.toCelsius(value);
    if (!(celsius <= kHighestCelsius && celsius >= kLowestCelsius)) {
        RefuseSpanValue(end, sid::TemperatureOutOfRange);
        return false;
    }

    const int low = m_doc->spanLow(), high = m_doc->spanHigh();
    // The ends are compared as the user reads them, so typing exactly what the other edit
    // shows is refused even when the hidden digits differ.
    const double typed = asShown(value);
    const double lowShown = asShown(image.rawToTemperature(low));
    const double highShown = asShown(image.rawToTemperature(high));
    if (end == High) {
        if (typed <= lowShown) {
            RefuseSpanValue(end, sid::MaxSpanNotAboveMin);
            return false;
        }
        if (typed == highShown) return true;
        // Two shown values may fall on one raw count when the image emissivity stretches the
        // scale; the span must still keep its high end above its low end.
        const int raw = image.rawForTemperature(value);
        if (raw <= low) {
            RefuseSpanValue(end, sid::MaxSpanNotAboveMin);
            return false;
        }
        m_typed[end] = {raw, image.rawToTemperature(raw), typed};
        m_doc->setSpan(low, raw);
    } else {
        if (typed >= highShown) {
            RefuseSpanValue(end, sid::MinSpanNotBelowMax);
            return false;
        }
        if (typed == lowShown) return true;
        const int raw = image.rawForTemperature(value);
        if (raw >= high) {
            RefuseSpanValue(end, sid::MinSpanNotBelowMax);
            return false;
        }
        m_typed[end] = {raw, image.rawToTemperature(raw), typed};
        m_doc->setSpan(raw, high);
    }
    return true;
}

void cDisplayControlDlg::RefuseSpanValue(SpanEnd end, int messageId)
{
    g_spanMessageOpen = true;
    const QPointer<cDisplayControlDlg> self(this);
    cMessageDlg::messageBox(messageId, cMessageDlg::IconExclamation, cMessageDlg::ButtonsOk, this);
    // The page may have been closed while the box was up.
    if (self) {
        m_spanEdit[end]->setFocus(Qt::OtherFocusReason);
        // Announcing the span again brings back the edits' previous texts.
        if (m_doc) m_doc->setSpan(m_doc->spanLow(), m_doc->spanHigh());
    }
    g_spanMessageOpen = false;
}

}  // namespace calivue
