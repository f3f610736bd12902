// The title page's logo: loading the picture, the Set Image and Clear Image buttons and the
// fitted, centred preview.
#include "report/titledlg.h"

#include "desktop/irfiledialog.h"
#include "desktop/messagedlg.h"
#include "platform/errortext.h"
#include "platform/pictureloader.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QEvent>
#include <QFrame>
#include <QLineEdit>
#include <QPainter>

namespace calivue {

QRect fitLogoRect(QSize picture, QSize client)
{
    if (picture.width() <= 0 || picture.height() <= 0 || client.isEmpty()) return {};
    QSize drawn = picture;
    if (drawn.width() > client.width() || drawn.height() > client.height()) {
        // The direction that exceeds more is fitted first; if the other still exceeds, it is
        // fitted instead. Sizes are compared as ratios so the result keeps the proportions.
        const double wide = double(drawn.width()) / client.width();
        const double tall = double(drawn.height()) / client.height();
        if (wide >= tall)
            drawn = QSize(client.width(), qMax(1, int(drawn.height() / wide)));
        else
            drawn = QSize(qMax(1, int(drawn.width() / tall)), client.height());
        if (drawn.height() > client.height())
            drawn =
                QSize(qMax(1, drawn.width() * client.height() / drawn.height()), client.height());
        if (drawn.width() > client.width())
            drawn = QSize(client.width(), qMax(1, drawn.height() * client.width() / drawn.width()));
    }
    return QRect(
        QPoint((client.width() - drawn.width()) / 2, (client.height() - drawn.height()) / 2),
        drawn);
}

Error TitleDlg::loadLogo(const QString& path)
{
    const Result<Picture> picture = loadPicture(path);
    if (!picture) return picture.error();
    if (picture->image.isNull()) return Error::Unsupported;
    m_logo = picture->image;
    m_logoSize = picture->sizeAtDpi(m_preview->logicalDpiX());
    m_logoPath = path;
    m_logoPathBox->setText(path);
    m_preview->update();
    return Error::None;
}

void TitleDlg::chooseImage()
{
    cIRFileDialog dialog(cIRFileDialog::Mode::Open, QStringLiteral("jpg"));
    dialog.addFilter(uiText(sid::FilterImages), QStringLiteral("*.jpg;*.bmp"));
    const std::optional<QString> chosen = dialog.choose(this);
    if (!chosen) return;
    const QString tail = chosen->right(3);
    if (tail.compare(QLatin1String("bmp"), Qt::CaseInsensitive) != 0 &&
        tail.compare(QLatin1String("jpg"), Qt::CaseInsensitive) != 0) {
        cMessageDlg::messageBox(sid::InvalidImageFileExtension, cMessageDlg::IconStop,
                                cMessageDlg::ButtonsOk, this);
        return;
    }
    // The chosen file stays unused; the user is told what is wrong with it.
    if (const Error e = loadLogo(*chosen); e != Error::None) {
        cMessageDlg::messageBox(fileErrorText(e, *chosen, FileKind::Picture),
                                cMessageDlg::IconExclamation, cMessageDlg::ButtonsOk, this);
        return;
    }
    writeSetting(reportkey::LogoPath, m_logoPath);
    markModified();
}

void TitleDlg::dropLogo()
{
    m_logo = QImage();
    m_logoSize = QSize(-1, -1);
    m_logoPath.clear();
    m_logoPathBox->clear();
    m_preview->update();
}

void TitleDlg::clearImage()
{
    dropLogo();
    writeSetting(reportkey::LogoPath, QString());
    markModified();
}

bool TitleDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_preview && event->type() == QEvent::Paint && !m_logo.isNull()) {
        QPainter painter(m_preview);
        const QRect client = m_preview->contentsRect();
        const QRect target = fitLogoRect(m_logoSize, client.size()).translated(client.topLeft());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, m_logo);
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace calivue
