#include "desktop/messagedlg.h"
#include "qtfiles.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>

using namespace calivue;
using IconKind = cMessageDlg::IconKind;

namespace {

using calivue::test::qs;

// Removes the responder and restores English after each test.
class MessageBoxTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        cMessageDlg::setResponder({});
        StringTable::setActive(StringTable::english());
    }
};

QPushButton* buttonWithText(QWidget* dialog, const QString& text)
{
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

}  // namespace

// Catches a wrong icon for a style: only 16, 32 and 64 have icons of their own.
TEST_F(MessageBoxTest, IconStyles)
{
    EXPECT_EQ(cMessageDlg::iconKindFor(16), IconKind::Stop);
    EXPECT_EQ(cMessageDlg::iconKindFor(32), IconKind::Question);
    EXPECT_EQ(cMessageDlg::iconKindFor(64), IconKind::Information);
    EXPECT_EQ(cMessageDlg::iconKindFor(48), IconKind::Exclamation);
    EXPECT_EQ(cMessageDlg::iconKindFor(0), IconKind::Exclamation);
    EXPECT_EQ(cMessageDlg::iconKindFor(17), IconKind::Exclamation);
}

// Catches a wrong button set for a style; unknown styles fall back to OK alone.
TEST_F(MessageBoxTest, ButtonStyles)
{
    using L = QList<int>;
    EXPECT_EQ(cMessageDlg::buttonsFor(0), L{1});
    EXPECT_EQ(cMessageDlg::buttonsFor(1), (L{1, 2}));
    EXPECT_EQ(cMessageDlg::buttonsFor(3), (L{6, 7, 2}));
    EXPECT_EQ(cMessageDlg::buttonsFor(4), (L{6, 7}));
    EXPECT_EQ(cMessageDlg::buttonsFor(2), L{1});
    EXPECT_EQ(cMessageDlg::buttonsFor(16), L{1});
}

// Catches the dialog showing other buttons or icon than its style asks for, or a wrong caption.
TEST_F(MessageBoxTest, DialogShowsOnlyTheStylesButtons)
{
    const cMessageDlg warning(qs("Temperature out of range"), 48, 16);
    EXPECT_EQ(warning.visibleButtons(), QList<int>{1});
    EXPECT_EQ(warning.iconKind(), IconKind::Exclamation);
    EXPECT_EQ(warning.windowTitle(), qs("Orvane Calivue Razadi"));
    EXPECT_EQ(warning.text(), qs("Temperature out of range"));

    const cMessageDlg question(qs("?"), 32, 3);
    EXPECT_EQ(question.visibleButtons(), (QList<int>{6, 7, 2}));
    EXPECT_EQ(question.iconKind(), IconKind::Question);
    EXPECT_EQ(question.buttonText(6), qs("Yes"));
    EXPECT_EQ(question.buttonText(7), qs("No"));
    EXPECT_EQ(question.buttonText(2), qs("Cancel"));
    EXPECT_EQ(question.buttonText(1), qs("OK"));
}

// Catches button texts or caption taken from English while a language module is in use.
TEST_F(MessageBoxTest, TextsComeFromTheActiveTable)
{
    LanguagePack german;
    german.strings.insert(sid::Yes, qs("Ja"));
    german.strings.insert(sid::No, qs("Nein"));
    german.strings.insert(sid::ProductTitle, qs("Orvane Calivue Razadi DE"));
    StringTable::setActive(StringTable::withModule(german));
    const cMessageDlg dialog(qs("Frage"), 32, 4);
    EXPECT_EQ(dialog.buttonText(6), qs("Ja"));
    EXPECT_EQ(dialog.buttonText(7), qs("Nein"));
    EXPECT_EQ(dialog.windowTitle(), qs("Orvane Calivue Razadi DE"));
}

// Catches a string-id message showing the id instead of its text, and the two-part form
// joining heading and detail any other way than with one line break.
TEST_F(MessageBoxTest, ResponderSeesTheBoxAndAnswers)
{
    QString seen;
    QList<int> buttons;
    IconKind icon = IconKind::Stop;
    cMessageDlg::setResponder([&](const cMessageDlg& box) {
        seen = box.text();
        buttons = box.visibleButtons();
        icon = box.iconKind();
        return int(cMessageDlg::IdYes);
    });
    EXPECT_EQ(cMessageDlg::messageBox(sid::LoseAllChanges, 32, 4), cMessageDlg::IdYes);
    EXPECT_EQ(seen, qs("Lose all changes since your last save ?"));
    EXPECT_EQ(buttons, (QList<int>{6, 7}));
    EXPECT_EQ(icon, IconKind::Question);

    cMessageDlg::twoPartBox(sid::InternalError, sid::SelectionCountMismatch, 16, 0);
    EXPECT_EQ(seen, qs("Internal Error\nNumber of selections is not equal to number of reports"));
    EXPECT_EQ(buttons, QList<int>{1});
    EXPECT_EQ(icon, IconKind::Stop);
}

// Catches a click returning another button's id.
TEST_F(MessageBoxTest, PressedButtonIsTheResult)
{
    cMessageDlg dialog(qs("Save changes to site.vrp?"), 32, 3);
    QPushButton* no = buttonWithText(&dialog, qs("No"));
    ASSERT_NE(no, nullptr);
    no->click();
    EXPECT_EQ(dialog.result(), cMessageDlg::IdNo);
}

// Catches closing a question (Escape, window close) counting as Yes or as a hidden button.
TEST_F(MessageBoxTest, ClosingWithoutAButton)
{
    cMessageDlg yesNo(qs("?"), 32, 4);
    yesNo.reject();
    EXPECT_EQ(yesNo.result(), cMessageDlg::IdNo);
    cMessageDlg okCancel(qs("?"), 16, 1);
    okCancel.reject();
    EXPECT_EQ(okCancel.result(), cMessageDlg::IdCancel);
    cMessageDlg ok(qs("!"), 48, 0);
    ok.reject();
    EXPECT_EQ(ok.result(), cMessageDlg::IdOk);
}

// Catches the modal path (no responder) not returning the pressed button.
TEST_F(MessageBoxTest, ModalBoxReturnsThePressedButton)
{
    QTimer::singleShot(0, [] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<cMessageDlg*>(top);
            if (box && box->isVisible()) {
                if (QPushButton* cancel = buttonWithText(box, qs("Cancel")))
                    cancel->click();
                else
                    box->done(-1);  // never leave the modal loop hanging
            }
        }
    });
    EXPECT_EQ(cMessageDlg::messageBox(qs("Error loading:\nKVO German.so"), 16, 1),
              cMessageDlg::IdCancel);
}
