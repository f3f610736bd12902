// The main frame's status bar: the message pane and the three read-outs of the document
// (isotherm difference, position and temperature of the selected point). A read-out pane is
// shown only while it has something to say, and there are no keyboard-lock indicators: Qt
// cannot read the lock keys portably, so they could only ever be shown greyed.
#include "app/mainframe.h"

#include "core/constants.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"
#include "document/vantorodoc.h"

#include <QLabel>
#include <QStatusBar>

namespace calivue {

namespace {
QLabel* addPane(QStatusBar* bar, const QString& name, int minimumWidth)
{
    auto* pane = new QLabel(bar);
    pane->setObjectName(name);
    pane->setFrameShape(QFrame::Panel);
    pane->setFrameShadow(QFrame::Sunken);
    pane->setMinimumWidth(minimumWidth);
    bar->addPermanentWidget(pane);
    return pane;
}

QString unitOf(const CVantoroDoc& doc)
{
    return QString::fromStdString(doc.image().unitText());
}
}  // namespace

void CMainFrame::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    // The stretching message pane is the status bar's own; the panes follow in their order.
    m_diffPane = addPane(bar, QStringLiteral("pane130"), 100);
    m_diffPane->setFixedWidth(100);
    m_positionPane = addPane(bar, QStringLiteral("pane1"), 80);
    m_tempPane = addPane(bar, QStringLiteral("pane129"), 70);
    for (QLabel* pane : {m_diffPane, m_positionPane, m_tempPane}) pane->hide();
}

QString CMainFrame::paneText(int pane) const
{
    switch (pane) {
        case 130:
            return m_diffPane->text();
        case 1:
            return m_positionPane->text();
        case 129:
            return m_tempPane->text();
        default:
            return {};
    }
}

void CMainFrame::updateStatusPanes()
{
    int x = 0, row = 0;
    const bool valid = m_doc.selectedPoint(x, row);
    const auto [tempValid, temperature] = m_doc.selectedPointTemperature();
    if (valid && tempValid) {
        // Positions read as the cursor lists show them: y counted from the top of the picture.
        const int y = kHeight - 1 - row;
        m_positionPane->setText(formatText(uiText(sid::StatusPositionFormat), {x, y}));
        m_tempPane->setText(formatTemperature(temperature, unitOf(m_doc)));
    } else {
        m_positionPane->clear();
        m_tempPane->clear();
    }

    const auto [diffValid, difference] = m_doc.isothermDifference();
    if (diffValid)
        m_diffPane->setText(formatText(uiText(sid::StatusDiffFormat),
                                       {static_cast<double>(difference), unitOf(m_doc)}));
    else
        m_diffPane->clear();
    for (QLabel* pane : {m_diffPane, m_positionPane, m_tempPane})
        pane->setVisible(!pane->text().isEmpty());
}

}  // namespace calivue
