#include "report/templatedlg.h"

#include "report/reportcontext.h"

#include "desktop/messagedlg.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace calivue {

cTemplateDlg::cTemplateDlg(ReportTemplate storedTemplate, std::function<bool(ReportTemplate)> store,
                           std::function<void()> resetCaptions, QWidget* parent)
    : QDialog(parent),
      m_stored(storedTemplate),
      m_store(std::move(store)),
      m_resetCaptions(std::move(resetCaptions))
{
    setWindowTitle(uiText(sid::TemplateTitle));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("templates"));
    // The rows in the order of the templates' numbers.
    for (int id : {sid::TemplateMaintenance, sid::TemplateBuildings, sid::TemplateMechanical,
                   sid::TemplateCustom})
        m_list->addItem(uiText(id));
    m_list->setCurrentRow(reportTemplateNumber(storedTemplate));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(uiText(sid::Ok), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(uiText(sid::Cancel), QDialogButtonBox::RejectRole);
    m_reset = buttons->addButton(uiText(sid::Reset), QDialogButtonBox::ResetRole);
    m_reset->setObjectName(QStringLiteral("reset"));
    // Reset follows the stored template, not the row chosen in the list.
    const bool custom = storedTemplate == ReportTemplate::Custom;
    m_reset->setVisible(custom);
    m_reset->setEnabled(custom);
    connect(buttons, &QDialogButtonBox::accepted, this, &cTemplateDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &cTemplateDlg::reject);
    connect(m_reset, &QPushButton::clicked, this, [this] {
        if (m_resetCaptions) m_resetCaptions();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

void cTemplateDlg::accept()
{
    const ReportTemplate chosen =
        reportTemplateFrom(m_list->currentRow()).value_or(ReportTemplate::Maintenance);
    if (chosen != m_stored && m_store && m_store(chosen))
        cMessageDlg::messageBox(sid::RestartToApply, cMessageDlg::IconInformation,
                                cMessageDlg::ButtonsOk, this);
    QDialog::accept();
}

}  // namespace calivue
