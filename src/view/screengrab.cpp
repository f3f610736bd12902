#include "view/screengrab.h"

#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace calivue {

namespace {
cScreenGrab::Chooser& chooser()
{
    static cScreenGrab::Chooser instance;
    return instance;
}
}  // namespace

void cScreenGrab::setChooser(Chooser c)
{
    chooser() = std::move(c);
}

cScreenGrab::cScreenGrab(const QString& title, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(title);
    auto* layout = new QHBoxLayout(this);
    const auto addButton = [&](const QString& text, const char* name,
                               std::optional<Region> region) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        layout->addWidget(button);
        if (region)
            connect(button, &QPushButton::clicked, this, [this, r = *region] { pick(r); });
        else
            connect(button, &QPushButton::clicked, this, &QDialog::reject);
    };
    addButton(uiText(sid::CopyFullWindow), "fullWindow", Region::FullWindow);
    addButton(uiText(sid::CopySnapshot), "snapshot", Region::Snapshot);
    // The third button's text is built from the second's, so a language module's word for
    // "Snapshot" carries over.
    addButton(QStringLiteral("%1 +").arg(uiText(sid::CopySnapshot)), "snapshotPlus",
              Region::SnapshotPlus);
    addButton(uiText(sid::Cancel), "cancel", std::nullopt);
}

void cScreenGrab::pick(Region region)
{
    m_choice = region;
    accept();
}

std::optional<cScreenGrab::Region> cScreenGrab::choose()
{
    m_choice.reset();
    if (chooser()) return m_choice = chooser()(*this);
    exec();
    return m_choice;
}

}  // namespace calivue
