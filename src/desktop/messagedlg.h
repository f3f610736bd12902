// The product's own message box, through which every message of the program is shown: the
// product title as caption, a system icon, the text, and the buttons of the chosen style with
// texts from the active string table.
#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

#include <functional>

class QHBoxLayout;
class QLabel;
class QPushButton;

namespace calivue {

class cMessageDlg : public QDialog {
    Q_OBJECT

public:
    // Pressed-button results.
    enum Result { IdOk = 1, IdCancel = 2, IdYes = 6, IdNo = 7, IdChoice = 100 };
    // Icon styles: 16 stop, 32 question, 64 information, anything else exclamation.
    enum IconStyle { IconStop = 16, IconQuestion = 32, IconExclamation = 48, IconInformation = 64 };
    // Button styles: anything not listed shows OK alone.
    enum ButtonStyle {
        ButtonsOk = 0,
        ButtonsOkCancel = 1,
        ButtonsYesNoCancel = 3,
        ButtonsYesNo = 4,
        ButtonsCancel = 0x100  // Cancel alone, for a question whose choices come before it
    };
    enum class IconKind { Stop, Question, Information, Exclamation };

    cMessageDlg(const QString& text, int iconStyle, int buttonStyle, QWidget* parent = nullptr);

    // Shows the message modally and returns the pressed button (IdOk, IdCancel, IdYes, IdNo).
    static int messageBox(const QString& text, int iconStyle, int buttonStyle,
                          QWidget* parent = nullptr);
    static int messageBox(int stringId, int iconStyle, int buttonStyle, QWidget* parent = nullptr);
    // The two-line form: heading, a line break, detail.
    static int twoPartBox(int headingId, int detailId, int iconStyle, int buttonStyle,
                          QWidget* parent = nullptr);

    // A message with OK and, before it, a button for each of `choices`; returns IdOk, or
    // IdChoice + the index of the choice pressed. Closing the box answers IdOk.
    static int choiceBox(const QString& text, int iconStyle, const QStringList& choices,
                         QWidget* parent = nullptr);
    // The same with Cancel in place of OK: IdChoice + the index of the choice pressed, or
    // IdCancel (also when the box is closed).
    static int choiceOrCancelBox(const QString& text, int iconStyle, const QStringList& choices,
                                 QWidget* parent = nullptr);
    // Adds a button before the style's ones, answered with IdChoice + its index.
    void addChoice(const QString& text);

    static IconKind iconKindFor(int iconStyle);
    // The buttons a style shows, in their order on screen.
    static QList<int> buttonsFor(int buttonStyle);

    QString text() const;
    IconKind iconKind() const { return m_iconKind; }
    QList<int> visibleButtons() const;
    QString buttonText(int button) const;

    // When set, messageBox() builds the dialog and hands it to the responder instead of
    // showing it, and returns the responder's answer. For tests and headless runs.
    using Responder = std::function<int(const cMessageDlg&)>;
    static void setResponder(Responder responder);

    // The result when the box is closed without a button: Cancel when shown, else No when
    // shown, else OK, so a question is never answered Yes by closing it.
    int closeResult() const;
    // Escape or the window's close button: ends with closeResult().
    void reject() override;

private:
    QPushButton* button(int id) const;

    QLabel* m_text = nullptr;
    QLabel* m_icon = nullptr;
    QList<QPushButton*> m_buttons;  // choices, Yes, No, OK, Cancel; only the style's are visible
    QHBoxLayout* m_buttonRow = nullptr;
    int m_choices = 0;
    IconKind m_iconKind = IconKind::Exclamation;
};

}  // namespace calivue
