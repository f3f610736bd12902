#include "app/aboutdlg.h"

#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace calivue {

cAboutDlg::cAboutDlg(const StringTable& active, QWidget* parent) : QDialog(parent)
{
    const StringTable own = StringTable::english();
    setWindowTitle(active.text(sid::About) + QLatin1Char(' ') + active.text(sid::ProductTitle));

    auto* picture = new QLabel(this);
    picture->setPixmap(logo(64));
    picture->setAlignment(Qt::AlignTop);

    m_product = new QLabel(own.text(sid::ProductTitle), this);
    QFont bold = m_product->font();
    bold.setBold(true);
    m_product->setFont(bold);
    m_notice = new QLabel(own.text(sid::AboutNotice), this);
    m_notice->setWordWrap(true);
    m_version = new QLabel(formatText(own.text(sid::AboutVersionFormat), {version()}), this);

    auto* texts = new QVBoxLayout;
    texts->addWidget(m_product);
    texts->addWidget(m_notice);
    texts->addWidget(m_version);
    texts->addStretch();

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(own.text(sid::Ok), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

QString cAboutDlg::productText() const
{
    return m_product->text();
}

QString cAboutDlg::noticeText() const
{
    return m_notice->text();
}

QString cAboutDlg::versionText() const
{
    return m_version->text();
}

QString cAboutDlg::version()
{
    return QStringLiteral(CALIVUE_VERSION);
}

QPixmap cAboutDlg::logo(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient heat(0, 0, 0, size);
    heat.setColorAt(0.0, QColor(255, 240, 160));
    heat.setColorAt(0.35, QColor(240, 120, 20));
    heat.setColorAt(0.7, QColor(160, 20, 90));
    heat.setColorAt(1.0, QColor(20, 10, 80));
    p.setPen(Qt::NoPen);
    p.setBrush(heat);
    p.drawRoundedRect(QRectF(0, 0, size, size), size / 8.0, size / 8.0);

    // The thermometer: a white stem with a red bulb.
    const qreal stemW = size * 0.16;
    const qreal cx = size / 2.0;
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(cx - stemW / 2, size * 0.12, stemW, size * 0.6), stemW / 2, stemW / 2);
    p.drawEllipse(QPointF(cx, size * 0.74), size * 0.15, size * 0.15);
    p.setBrush(QColor(210, 30, 30));
    p.drawRect(QRectF(cx - stemW / 4, size * 0.35, stemW / 2, size * 0.4));
    p.drawEllipse(QPointF(cx, size * 0.74), size * 0.1, size * 0.1);
    return pixmap;
}

}  // namespace calivue
