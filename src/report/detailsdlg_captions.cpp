// The field captions of the inspection data page: the template's, or in the Custom template
// the user's own, kept in the settings store.
#include "report/detailsdlg.h"

#include "report/detailsdlg_state.h"
#include "report/engine/detailsdlg_text.h"

#include "desktop/messagedlg.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>

namespace calivue {

namespace {
// Longer stored values are not captions: the default stands in for them.
constexpr int kLongestStoredCaption = 999;
}  // namespace

void DetailsDlg::applyTemplate()
{
    DetailsControls& c = m_d->c;
    const ReportTemplate t = m_d->ctx.reportTemplate;
    const bool custom = userCaptions(t);
    const bool choice = conditionIsChoice(t);
    for (int i = 0; i < 13; ++i) {
        const bool shown = captionRowShown(t, i);
        c.captions[i]->setVisible(shown);
        c.rowFields[i]->setVisible(shown);
        c.captions[i]->setReadOnly(!custom);
        // A caption the template fixes reads as a label: no frame, the page's background,
        // and no stop for Tab; the Custom template's captions are inputs.
        c.captions[i]->setFrame(custom);
        c.captions[i]->setFocusPolicy(custom ? Qt::StrongFocus : Qt::NoFocus);
        QPalette look = c.captions[i]->palette();
        look.setColor(QPalette::Base,
                      custom ? palette().color(QPalette::Base) : palette().color(QPalette::Window));
        c.captions[i]->setPalette(look);
    }
    for (QLabel* l : c.weatherUnits) l->setVisible(captionRowShown(t, 8));
    // The condition row is a list of three choices in Buildings, free text elsewhere.
    c.condition->setVisible(!choice);
    c.conditionList->setVisible(choice);

    if (custom) {
        readCaptionsFromSettings();
    } else {
        const std::array<QString, 13> texts = templateCaptions(t);
        for (int i = 0; i < 13; ++i) showCaption(i + 1, texts[i]);
    }
}

void DetailsDlg::readCaptionsFromSettings()
{
    // Without the key nothing was ever saved: the boxes stay as they are.
    if (!m_d->ctx.settings.hasReportKey()) return;
    const std::array<QString, 13> defaults = templateCaptions(ReportTemplate::Custom);
    for (int i = 0; i < 13; ++i) {
        const std::optional<QString> stored =
            m_d->ctx.settings.reportText(QLatin1String(kDetailsCaptionKeys[i]));
        showCaption(i + 1,
                    stored && stored->size() <= kLongestStoredCaption ? *stored : defaults[i]);
    }
}

void DetailsDlg::showCaption(int i, const QString& text)
{
    QLineEdit* box = m_d->c.captions[i - 1];
    m_d->fillingCaptions = true;
    box->setText(text);
    m_d->fillingCaptions = false;
    // The box keeps at most 25 characters; the caption is what it shows.
    m_d->captions[i - 1] = box->text();
    m_d->captionChanged[i - 1] = false;
}

bool DetailsDlg::writeCaption(int i, const QString& text)
{
    const std::optional<SettingsError> e =
        m_d->ctx.settings.setReportText(QLatin1String(kDetailsCaptionKeys[i - 1]), text);
    if (!e) return true;
    cMessageDlg::messageBox(e->message, cMessageDlg::IconExclamation, cMessageDlg::ButtonsOk, this);
    return false;
}

void DetailsDlg::onCaptionEdited(int i)
{
    if (m_d->fillingCaptions || !m_d->initialised) return;
    m_d->captions[i - 1] = m_d->c.captions[i - 1]->text();
    m_d->captionChanged[i - 1] = true;
    pushCaptions();
}

void DetailsDlg::pushCaptions()
{
    if (m_d->applyingCaptions) return;
    ReportCaptions all = m_d->doc.captions();
    all.details = captions();
    m_d->doc.setCaptions(all);
}

void DetailsDlg::onCaptionsChanged()
{
    // Captions that reach the project from elsewhere (a project read) are the ones in effect
    // from now on; in a template of fixed captions the page keeps showing the template's.
    if (m_d->applyingCaptions) return;
    const ReportCaptions all = m_d->doc.captions();
    m_d->applyingCaptions = true;
    for (int i = 0; i < 13; ++i)
        if (all.details[std::size_t(i)] != m_d->captions[std::size_t(i)].toStdU16String())
            setCaption(i + 1, QString::fromStdU16String(all.details[std::size_t(i)]));
    m_d->applyingCaptions = false;
    pushCaptions();
}

std::array<std::u16string, 13> DetailsDlg::captions() const
{
    std::array<std::u16string, 13> out;
    for (int i = 0; i < 13; ++i) out[i] = m_d->captions[i].toStdU16String();
    return out;
}

bool DetailsDlg::captionChanged(int i) const
{
    return i >= 1 && i <= 13 && m_d->captionChanged[i - 1];
}

void DetailsDlg::setCaption(int i, const QString& text)
{
    if (i < 1 || i > 13) return;
    const QString caption = text.left(m_d->c.captions[i - 1]->maxLength());
    // Only the Custom template shows the user's captions; the others keep the template's.
    if (m_d->ctx.reportTemplate == ReportTemplate::Custom) showCaption(i, caption);
    writeCaption(i, caption);
    pushCaptions();
}

void DetailsDlg::resetCaptions()
{
    const std::array<QString, 13> defaults = templateCaptions(ReportTemplate::Custom);
    for (int i = 0; i < 13; ++i) writeCaption(i + 1, defaults[i]);
    if (m_d->ctx.reportTemplate == ReportTemplate::Custom)
        for (int i = 0; i < 13; ++i) showCaption(i + 1, defaults[i]);
    pushCaptions();
}

void DetailsDlg::writeChangedCaptions()
{
    for (int i = 0; i < 13; ++i) {
        if (!m_d->captionChanged[i]) continue;
        m_d->captionChanged[i] = false;
        writeCaption(i + 1, m_d->captions[i]);
    }
}

}  // namespace calivue
