// The inspection's equipment item on the inspection data page: the list of the project's items,
// a pick or a typed identifier (one the list does not hold is offered for adding), the link
// and the record's empty location, equipment and rated load texts filled from the item.
#include "report/detailsdlg.h"

#include "view/colouredit.h"
#include "report/detailsdlg_state.h"
#include "report/equipmentdlg.h"
#include "report/engine/reporttext.h"

#include "core/equipmentlink.h"
#include "desktop/messagedlg.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <utility>

namespace calivue {

namespace {

const EquipmentItem* findItem(const std::vector<EquipmentItem>& items, std::u16string_view id)
{
    const auto at = std::find_if(items.begin(), items.end(),
                                 [&](const EquipmentItem& item) { return item.id == id; });
    return at == items.end() ? nullptr : &*at;
}

// The identifier a typed text names: an entry's text, an identifier, or one identifier that
// equals it with case ignored; nullopt when none does.
std::optional<std::u16string> namedId(const QComboBox& box, const QString& text)
{
    const int entry = box.findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (entry >= 0) return toU16(box.itemData(entry).toString());
    std::optional<std::u16string> caseless;
    int matches = 0;
    for (int i = 1; i < box.count(); ++i) {
        const QString id = box.itemData(i).toString();
        if (id == text) return toU16(id);
        if (id.compare(text, Qt::CaseInsensitive) == 0) {
            caseless = toU16(id);
            ++matches;
        }
    }
    return matches == 1 ? caseless : std::nullopt;
}

}  // namespace

void DetailsDlg::showEquipmentItems()
{
    QComboBox* box = m_d->c.equipmentItem;
    const CReportDoc& doc = m_d->doc;
    const bool wasUpdating = std::exchange(m_d->updating, true);
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItem(QString(), QString());
    for (const EquipmentItem& item : doc.equipmentItems()) {
        QString text = toQString(item.id);
        if (!item.description.empty())
            text += QStringLiteral(" \u2014 ") + toQString(item.description);
        box->addItem(text, toQString(item.id));
    }
    const bool has = m_d->shown > 0 && m_d->shown <= recordCount();
    const QString id = has ? toQString(doc.equipmentId(m_d->shown - 1)) : QString();
    box->setCurrentIndex(std::max(0, box->findData(id)));
    box->setEditText(box->currentText());
    box->setEnabled(has && doc.equipmentEditable());
    m_d->updating = wasUpdating;
}

void DetailsDlg::onEquipmentChosen()
{
    const int n = m_d->shown;
    if (m_d->updating || m_d->linking || n < 1 || n > recordCount()) return;
    CReportDoc& doc = m_d->doc;
    const QString text = m_d->c.equipmentItem->currentText().trimmed();
    std::optional<std::u16string> id = text.isEmpty()
                                           ? std::optional<std::u16string>(std::u16string())
                                           : namedId(*m_d->c.equipmentItem, text);
    if (id && *id == doc.equipmentId(n - 1)) {
        showEquipmentItems();
        return;
    }
    if (!id) {
        // An identifier the list does not hold: added when the user says so, with what the
        // inspection's fields hold; otherwise the inspection keeps the item it named.
        m_d->linking = true;
        const int answer =
            cMessageDlg::messageBox(formatText(uiText(sid::EquipmentAddUnknown), {text}),
                                    cMessageDlg::IconQuestion, cMessageDlg::ButtonsYesNo, this);
        m_d->linking = false;
        if (answer != cMessageDlg::IdYes) {
            showEquipmentItems();
            return;
        }
        const cInspectionRecord record = recordFromControls(doc.inspection(n - 1)->record);
        std::vector<EquipmentItem> items = doc.equipmentItems();
        items.push_back(itemFromRecord(toU16(text), record, ratedIsLoad(m_d->ctx.reportTemplate)));
        if (doc.setEquipmentItems(std::move(items))) {
            showEquipmentItems();
            return;
        }
        id = toU16(text);
    }
    linkEquipment(*id);
}

void DetailsDlg::linkEquipment(const std::u16string& id)
{
    const int n = m_d->shown;
    CReportDoc& doc = m_d->doc;
    if (n < 1 || n > recordCount()) return;
    m_d->linking = true;
    if (const EquipmentItem* item = findItem(doc.equipmentItems(), id)) {
        // The fill goes into the record whole (the fields cut long texts to their limits);
        // the fields then show it as any stored record is shown.
        cInspectionRecord record = recordFromControls(doc.inspection(n - 1)->record);
        const ItemFill filled = fillFromItem(record, *item, ratedIsLoad(m_d->ctx.reportTemplate));
        if (filled.any()) {
            const bool wasStoring = std::exchange(m_d->storing, true);
            doc.setRecord(n - 1, record);
            m_d->storing = wasStoring;
            m_d->edited = false;
            const bool wasUpdating = std::exchange(m_d->updating, true);
            DetailsControls& c = m_d->c;
            if (filled.location) c.location->setText(toQString(record.location));
            if (filled.equipment) c.equipment->setText(toQString(record.equipment));
            if (filled.rated) c.rated->setText(toQString(record.rated));
            m_d->updating = wasUpdating;
        }
    }
    doc.setEquipmentId(n - 1, id);
    m_d->linking = false;
    showEquipmentItems();
}

void DetailsDlg::onEquipmentList()
{
    // What was typed for the inspection on show is kept before the list changes under it.
    storeInspection();
    cEquipmentDlg::run(m_d->doc, this);
}

}  // namespace calivue
