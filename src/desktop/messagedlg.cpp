#include "desktop/messagedlg.h"

#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace calivue {

namespace {

cMessageDlg::Responder& responder()
{
    static cMessageDlg::Responder instance;
    return instance;
}

struct ButtonInfo {
    int id;
    int textId;
};

// The order the buttons sit in, left to right.
constexpr ButtonInfo kButtons[] = {
    {cMessageDlg::IdYes, sid::Yes},
    {cMessageDlg::IdNo, sid::No},
    {cMessageDlg::IdOk, sid::Ok},
    {cMessageDlg::IdCancel, sid::Cancel},
};

QStyle::StandardPixmap pixmapFor(cMessageDlg::IconKind kind)
{
    switch (kind) {
        case cMessageDlg::IconKind::Stop:
            return QStyle::SP_MessageBoxCritical;
        case cMessageDlg::IconKind::Question:
            return QStyle::SP_MessageBoxQuestion;
        case cMessageDlg::IconKind::Information:
            return QStyle::SP_MessageBoxInformation;
        case cMessageDlg::IconKind::Exclamation:
            break;
    }
    return QStyle::SP_MessageBoxWarning;
}

}  // namespace

cMessageDlg::cMessageDlg(const QString& text, int iconStyle, int buttonStyle, QWidget* parent)
    : QDialog(parent), m_iconKind(iconKindFor(iconStyle))
{
    setWindowTitle(uiText(sid::ProductTitle));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    m_icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    m_icon->setPixmap(
        style()->standardIcon(pixmapFor(m_iconKind), nullptr, this).pixmap(iconSize, iconSize));
    m_icon->setAlignment(Qt::AlignTop);
    m_text = new QLabel(text, this);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* content = new QHBoxLayout;
    content->addWidget(m_icon);
    content->addWidget(m_text, 1);

    const QList<int> shown = buttonsFor(buttonStyle);
    auto* buttonRow = new QHBoxLayout;
    m_buttonRow = buttonRow;
    buttonRow->addStretch();
    for (const ButtonInfo& info : kButtons) {
        auto* b = new QPushButton(uiText(info.textId), this);
        b->setProperty("calivueButtonId", info.id);
        b->setVisible(shown.contains(info.id));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, id = info.id] { done(id); });
        buttonRow->addWidget(b);
        m_buttons.append(b);
    }
    if (QPushButton* first = button(shown.value(0))) first->setDefault(true);
    buttonRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(content);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

cMessageDlg::IconKind cMessageDlg::iconKindFor(int iconStyle)
{
    switch (iconStyle) {
        case IconStop:
            return IconKind::Stop;
        case IconQuestion:
            return IconKind::Question;
        case IconInformation:
            return IconKind::Information;
        default:
            return IconKind::Exclamation;
    }
}

QList<int> cMessageDlg::buttonsFor(int buttonStyle)
{
    switch (buttonStyle) {
        case ButtonsOkCancel:
            return {IdOk, IdCancel};
        case ButtonsYesNoCancel:
            return {IdYes, IdNo, IdCancel};
        case ButtonsYesNo:
            return {IdYes, IdNo};
        case ButtonsCancel:
            return {IdCancel};
        default:
            return {IdOk};
    }
}

QString cMessageDlg::text() const
{
    return m_text->text();
}

QList<int> cMessageDlg::visibleButtons() const
{
    // isVisibleTo, not isVisible: the dialog itself may never be shown (tests, responders).
    QList<int> ids;
    for (QPushButton* b : m_buttons)
        if (b->isVisibleTo(this)) ids.append(b->property("calivueButtonId").toInt());
    return ids;
}

QString cMessageDlg::buttonText(int id) const
{
    const QPushButton* b = button(id);
    return b ? b->text() : QString();
}

QPushButton* cMessageDlg::button(int id) const
{
    for (QPushButton* b : m_buttons)
        if (b->property("calivueButtonId").toInt() == id) return b;
    return nullptr;
}

int cMessageDlg::closeResult() const
{
    const QList<int> shown = visibleButtons();
    if (shown.contains(IdCancel)) return IdCancel;
    if (shown.contains(IdNo)) return IdNo;
    return IdOk;
}

void cMessageDlg::reject()
{
    done(closeResult());
}

void cMessageDlg::setResponder(Responder r)
{
    responder() = std::move(r);
}

int cMessageDlg::messageBox(const QString& text, int iconStyle, int buttonStyle, QWidget* parent)
{
    cMessageDlg dialog(text, iconStyle, buttonStyle, parent);
    if (responder()) return responder()(dialog);
    return dialog.exec();
}

void cMessageDlg::addChoice(const QString& text)
{
    const int id = IdChoice + m_choices;
    auto* b = new QPushButton(text, this);
    b->setProperty("calivueButtonId", id);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, id] { done(id); });
    // After the leading stretch and the choices before it: the screen order is m_buttons'.
    m_buttonRow->insertWidget(1 + m_choices, b);
    m_buttons.insert(m_choices, b);
    ++m_choices;
}

int cMessageDlg::choiceBox(const QString& text, int iconStyle, const QStringList& choices,
                           QWidget* parent)
{
    cMessageDlg dialog(text, iconStyle, ButtonsOk, parent);
    for (const QString& choice : choices) dialog.addChoice(choice);
    if (responder()) return responder()(dialog);
    return dialog.exec();
}

int cMessageDlg::choiceOrCancelBox(const QString& text, int iconStyle, const QStringList& choices,
                                   QWidget* parent)
{
    cMessageDlg dialog(text, iconStyle, ButtonsCancel, parent);
    for (const QString& choice : choices) dialog.addChoice(choice);
    if (responder()) return responder()(dialog);
    return dialog.exec();
}

int cMessageDlg::messageBox(int stringId, int iconStyle, int buttonStyle, QWidget* parent)
{
    return messageBox(uiText(stringId), iconStyle, buttonStyle, parent);
}

int cMessageDlg::twoPartBox(int headingId, int detailId, int iconStyle, int buttonStyle,
                            QWidget* parent)
{
    return messageBox(twoPart(uiText(headingId), uiText(detailId)), iconStyle, buttonStyle, parent);
}

}  // namespace calivue
