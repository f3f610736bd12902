// The settings page against documents opened on generated snapshots: typed, stepped and
// looked-up values, the unit, the capture pickers, the comments, the voice annotation and a
// save that keeps them.
#include "panels/settingspage.h"

#include "panels/emissivitydlg.h"
#include "viewtestutil.h"

#include "core/snapshotfiles.h"
#include "desktop/messagedlg.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QToolButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

using namespace calivue;

namespace {

class SettingsPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        cMessageDlg::setResponder([this](const cMessageDlg& box) {
            m_messages.push_back(box.text());
            m_icons.push_back(box.iconKind());
            if (m_duringMessage) m_duringMessage();
            return box.closeResult();
        });
    }
    void TearDown() override
    {
        m_page.reset();  // before the document it shows
        cMessageDlg::setResponder([](const cMessageDlg& box) { return box.closeResult(); });
        cEmissivityDlg::setResponder({});
    }

    // Opens a snapshot written from plan and attaches the page to it.
    CVantoroDoc& open(const gen::SnapshotPlan& plan)
    {
        m_opened = std::make_unique<viewtest::OpenedDoc>(plan);
        EXPECT_TRUE(m_opened->opened);
        m_page->AttachDocument(m_opened->doc.get());
        return *m_opened->doc;
    }

    // Types text into a field and leaves it, as a user moving to another control does.
    static void typeAndLeave(QLineEdit* edit, const QString& text)
    {
        edit->setText(text);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(edit, &out);
    }

    static gen::SnapshotPlan plan(std::uint8_t unit = 0, std::uint8_t emissivity = 95)
    {
        gen::SnapshotPlan p = viewtest::flatPlan();
        p.unit = unit;
        p.emissivity = emissivity;
        p.reflectedC = 20.0;
        return p;
    }

    std::unique_ptr<cSettingsPage> m_page = std::make_unique<cSettingsPage>();
    std::unique_ptr<viewtest::OpenedDoc> m_opened;
    std::vector<QString> m_messages;
    std::vector<cMessageDlg::IconKind> m_icons;
    std::function<void()> m_duringMessage;
};

// Catches a missing or wrong range check, a value stored despite the message, and the
// message chosen by the wrong unit.
TEST_F(SettingsPageTest, ReflectedOutsideRangeRefusedWithTheUnitsMessage)
{
    CVantoroDoc& doc = open(plan(0));
    const std::uint16_t before = doc.image().fields.reflected;
    typeAndLeave(m_page->reflectedEdit(), QStringLiteral("201"));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0],
              QString::fromUtf8("Reflected temperature must be within -20.0°C and 200.0 °C"));
    EXPECT_EQ(m_icons[0], cMessageDlg::IconKind::Exclamation);
    EXPECT_EQ(doc.image().fields.reflected, before);
    EXPECT_FALSE(doc.isModified());

    typeAndLeave(m_page->reflectedEdit(), QStringLiteral("-20.1"));
    typeAndLeave(m_page->reflectedEdit(), QStringLiteral("-20"));
    EXPECT_EQ(m_messages.size(), 2u) << "-20.1 refused, -20 itself accepted";
    EXPECT_EQ(doc.image().fields.reflected, doc.image().reflectedRawFor(-20.0));
}

// Catches limits that refuse their own end points through rounding (253.2 K, -4 °F), the
// Kelvin and Fahrenheit messages, and the value stored in tenths of a kelvin whatever the raw
// scale: at 100 counts per kelvin 303.2 K is 30320 counts.
TEST_F(SettingsPageTest, ReflectedLimitsAndRawScale)
{
    gen::SnapshotPlan kelvin = plan(2);
    kelvin.scaleCode = 3;  // 100 counts per kelvin
    CVantoroDoc& doc = open(kelvin);
    typeAndLeave(m_page->reflectedEdit(), QStringLiteral("253.2"));
    typeAndLeave(m_page->reflectedEdit(), QStringLiteral("303.2"));
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(doc.image().fields.reflected, 30320);
    EXPECT_EQ(m_page->reflectedEdit()->text(), QStringLiteral("303.2 K"));
    typeAndLeave(m_page->reflectedEdit(), QStringLiteral("473.3 K"));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], uiText(sid::ReflectedRangeKelvin));

    m_messages.clear();
    CVantoroDoc& fahrenheit = open(plan(1));
    typeAndLeave(m_page->reflectedEdit(), QStringLiteral("-4"));
    typeAndLeave(m_page->reflectedEdit(), QStringLiteral("392"));
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(fahrenheit.image().fields.reflected, fahrenheit.image().reflectedRawFor(392.0));
    EXPECT_TRUE(fahrenheit.isModified());
    EXPECT_EQ(m_page->reflectedEdit()->text(), QString::fromUtf8("392.0 °F"));
    typeAndLeave(m_page->reflectedEdit(), QStringLiteral("392.5"));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], uiText(sid::ReflectedRangeFahrenheit));
}

// Catches a refusal that leaves the focus elsewhere, and boxes stacking when the focus
// moves again while the first box is up.
TEST_F(SettingsPageTest, RefusedValueTakesTheFocusBackWithOneBoxAtATime)
{
    open(plan(0));
    m_page->show();
    m_page->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_page.get()));
    QLineEdit* reflected = m_page->reflectedEdit();
    reflected->setFocus();
    m_duringMessage = [reflected] {
        QFocusEvent again(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(reflected, &again);
    };
    reflected->setText(QStringLiteral("500"));
    m_page->emissivityEdit()->setFocus();  // the user tabs on
    EXPECT_EQ(m_messages.size(), 1u);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), reflected);
    EXPECT_EQ(reflected->selectedText(), QStringLiteral("500"));
}

// Catches emissivities outside (0, 1] accepted, one rounding to 0 hundredths accepted, and
// 0.95 truncated to 94.
TEST_F(SettingsPageTest, GlobalEmissivityChecksAndRounds)
{
    CVantoroDoc& doc = open(plan(0, 100));
    for (const char* typed : {"1.50", "0.00", "-0.5", "0.004"}) {
        typeAndLeave(m_page->emissivityEdit(), QLatin1String(typed));
        EXPECT_EQ(doc.image().fields.emissivity[10], 100) << typed;
    }
    ASSERT_EQ(m_messages.size(), 4u);
    EXPECT_EQ(m_messages[0], QStringLiteral("Emissivity must be > 0.0 and <= 1.0"));
    EXPECT_FALSE(doc.isModified());

    const float hotBefore = doc.markers()[kHottestMarker].temperature;
    typeAndLeave(m_page->emissivityEdit(), QStringLiteral("0.95"));
    EXPECT_EQ(doc.image().fields.emissivity[10], 95);
    EXPECT_EQ(m_page->emissivityEdit()->text(), QStringLiteral("0.95"));
    EXPECT_TRUE(doc.isModified());
    EXPECT_NE(doc.markers()[kHottestMarker].temperature, hotBefore) << "measurements recomputed";
}

// Catches the up-down arrows stepping the wrong way or by counts instead of degrees, and
// steps beyond the limits stored.
TEST_F(SettingsPageTest, UpDownStepsByOneDegreeAndOneHundredth)
{
    CVantoroDoc& doc = open(plan(0, 100));
    const int raw = doc.image().fields.reflected;
    m_page->reflectedUpButton()->click();
    EXPECT_EQ(doc.image().fields.reflected, raw + 10);
    EXPECT_EQ(m_page->reflectedEdit()->text(), QString::fromUtf8("21.0 °C"));
    EXPECT_TRUE(doc.isModified());
    m_page->reflectedDownButton()->click();
    m_page->reflectedDownButton()->click();
    EXPECT_EQ(m_page->reflectedEdit()->text(), QString::fromUtf8("19.0 °C"));

    typeAndLeave(m_page->reflectedEdit(), QStringLiteral("200"));
    m_page->reflectedUpButton()->click();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], uiText(sid::ReflectedRangeCelsius));
    EXPECT_EQ(doc.image().fields.reflected, doc.image().reflectedRawFor(200.0));

    m_page->emissivityUpButton()->click();
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[1], uiText(sid::EmissivityOutOfRange));
    EXPECT_EQ(doc.image().fields.emissivity[10], 100);
    QTest::keyClick(m_page->emissivityEdit(), Qt::Key_Down);
    EXPECT_EQ(doc.image().fields.emissivity[10], 99);
    EXPECT_EQ(m_page->emissivityEdit()->text(), QStringLiteral("0.99"));
}

// Catches the lookup applied on Cancel, or not applied on OK.
TEST_F(SettingsPageTest, LookupAppliesTheChosenMaterial)
{
    CVantoroDoc& doc = open(plan(0, 95));
    cEmissivityDlg::setResponder([](cEmissivityDlg& dlg) {
        dlg.list()->setCurrentRow(5);  // 0.90 Wood
        dlg.reject();
        return dlg.result();
    });
    m_page->lookupButton()->click();
    EXPECT_EQ(doc.image().fields.emissivity[10], 95);
    EXPECT_FALSE(doc.isModified());

    cEmissivityDlg::setResponder([](cEmissivityDlg& dlg) {
        dlg.list()->setCurrentRow(5);
        dlg.accept();
        return dlg.result();
    });
    m_page->lookupButton()->click();
    EXPECT_EQ(doc.image().fields.emissivity[10], 90);
    EXPECT_EQ(m_page->emissivityEdit()->text(), QStringLiteral("0.90"));
    EXPECT_TRUE(doc.isModified());
}

// Catches the unit not handed to the document, fields left in the old unit, and a refresh
// that marks an unchanged document modified.
TEST_F(SettingsPageTest, UnitChangeMarksModifiedAndRewritesTheFields)
{
    CVantoroDoc& doc = open(plan(0));
    EXPECT_EQ(m_page->unitList()->currentIndex(), 0);
    EXPECT_EQ(m_page->reflectedEdit()->text(), QString::fromUtf8("20.0 °C"));
    m_page->Refresh();
    EXPECT_FALSE(doc.isModified());

    m_page->unitList()->setCurrentIndex(1);
    EXPECT_EQ(doc.image().unit(), 1);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(m_page->reflectedEdit()->text(), QString::fromUtf8("68.0 °F"));
    m_page->unitList()->setCurrentIndex(2);
    EXPECT_EQ(m_page->reflectedEdit()->text(), QString::fromUtf8("293.2 K"));
}

// Catches typed comments not reaching the record, a stored comment replaced by the first
// keystroke, and the typed limit not kept.
TEST_F(SettingsPageTest, CommentsTypedReachTheRecord)
{
    gen::SnapshotPlan p = plan(0);
    p.comment = "Phase B";
    CVantoroDoc& doc = open(p);
    QPlainTextEdit* comments = m_page->commentsEdit();
    EXPECT_EQ(comments->toPlainText(), QStringLiteral("Phase B"));
    EXPECT_FALSE(doc.isModified());

    comments->moveCursor(QTextCursor::End);
    QTest::keyClicks(comments, QStringLiteral(" hot"));
    EXPECT_EQ(recordText(doc.image().fields.comments), "Phase B hot");
    EXPECT_TRUE(doc.isModified());

    QTest::keyClick(comments, Qt::Key_Return);
    QTest::keyClicks(comments, QStringLiteral("joint"));
    EXPECT_EQ(recordText(doc.image().fields.comments), "Phase B hot\r\njoint");

    comments->selectAll();
    QTest::keyClicks(comments, QString(cSettingsPage::kTypedCommentLimit + 5, QLatin1Char('x')));
    EXPECT_EQ(comments->toPlainText().size(), cSettingsPage::kTypedCommentLimit);
    EXPECT_EQ(recordText(doc.image().fields.comments),
              std::string(cSettingsPage::kTypedCommentLimit, 'x'));
}

// Catches an overrun of the 256-byte field and a line break cut in half at its end.
TEST(SettingsPageComment, RecordBytesStayWithinTheField)
{
    const auto longText = commentBytesOf(QString(300, QLatin1Char('a')));
    EXPECT_EQ(longText[254], 'a');
    EXPECT_EQ(longText[255], 0);

    const auto atBreak = commentBytesOf(QString(254, QLatin1Char('a')) + QStringLiteral("\nb"));
    EXPECT_EQ(atBreak[253], 'a');
    EXPECT_EQ(atBreak[254], 0) << "a lone CR would be left at the end";

    const auto latin = commentBytesOf(QString::fromUtf8("Ø 5 °C ✓"));
    EXPECT_EQ(recordText(latin),
              "\xD8 5 \xB0"
              "C ?");
    EXPECT_EQ(commentTextOf(latin), QString::fromUtf8("Ø 5 °C ?"));
}

// Catches an impossible capture moment written into the pickers (or the whole refresh
// skipped for it), and picker changes not reaching the record.
TEST_F(SettingsPageTest, CapturePickers)
{
    gen::SnapshotPlan p = plan(0);
    p.capture = RecordTime{14, 35, 10, 21, 3, 1999};
    CVantoroDoc& doc = open(p);
    EXPECT_EQ(m_page->captureTimeEdit()->time(), QTime(14, 35, 10));
    EXPECT_EQ(m_page->captureDateEdit()->date(), QDate(2000, 3, 21)) << "years before 2001";
    EXPECT_FALSE(doc.isModified());

    // The decoder reads a zero month as January, so the impossible moment is set directly.
    RecordFields& f = doc.image().fields;
    f.capture = RecordTime{9, 5, 0, 12, 0, 2009};
    f.emissivity[10] = 80;
    m_page->Refresh();
    EXPECT_EQ(m_page->captureTimeEdit()->time(), QTime(14, 35, 10));
    EXPECT_EQ(m_page->captureDateEdit()->date(), QDate(2000, 3, 21));
    EXPECT_EQ(m_page->emissivityEdit()->text(), QStringLiteral("0.80"))
        << "the other fields still follow the image";
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(f.capture.month, 0) << "the refresh wrote nothing back";

    f.capture = RecordTime{9, 5, 0, 31, 4, 2009};  // in range, yet no date
    m_page->Refresh();
    EXPECT_EQ(m_page->captureTimeEdit()->time(), QTime(9, 5, 0));
    EXPECT_EQ(m_page->captureDateEdit()->date(), QDate(2000, 3, 21));
    EXPECT_FALSE(doc.isModified());

    m_page->captureTimeEdit()->setTime(QTime(8, 15, 30));
    const RecordTime& c = f.capture;
    EXPECT_EQ(std::make_tuple(c.hour, c.minute, c.second), std::make_tuple(8, 15, 30));
    EXPECT_TRUE(doc.isModified());
    m_page->captureDateEdit()->setDate(QDate(2011, 7, 4));
    EXPECT_EQ(std::make_tuple(c.day, c.month, c.year), std::make_tuple(4, 7, 2011));
}

// Catches "Play" enabled without a .wav name, a case-sensitive ".wav" test, and the
// annotation looked for with the wrong case or folder.
TEST_F(SettingsPageTest, PlayFollowsTheVoiceAnnotation)
{
    gen::SnapshotPlan p = plan(0);
    p.caption = "Motor 3";
    open(p);
    EXPECT_FALSE(m_page->playButton()->isEnabled());
    EXPECT_TRUE(m_page->VoiceAnnotationPath().isEmpty());
    EXPECT_EQ(m_page->captionEdit()->text(), QStringLiteral("Motor 3"));

    gen::SnapshotPlan voiced = plan(0);
    voiced.voice = true;  // the camera's name: IR_0001.WAV
    open(voiced);
    EXPECT_TRUE(m_page->playButton()->isEnabled());
    voiced.voiceName = "ir_0001.wav";  // the file on disk stays IR_0001.WAV
    open(voiced);
    const QString path = m_page->VoiceAnnotationPath();
    EXPECT_TRUE(path.endsWith(QStringLiteral("/IR_0001.WAV"))) << path.toStdString();
    EXPECT_TRUE(QFileInfo(path).isFile());
    m_page->playButton()->click();  // no audio output offscreen: nothing plays, nothing breaks
}

// Catches settings that do not survive a save: a fresh document on the saved file shows
// what the page set.
TEST_F(SettingsPageTest, SavedSettingsComeBack)
{
    CVantoroDoc& doc = open(plan(0, 100));
    m_page->unitList()->setCurrentIndex(1);
    typeAndLeave(m_page->reflectedEdit(), QStringLiteral("86"));
    typeAndLeave(m_page->emissivityEdit(), QStringLiteral("0.9"));
    m_page->captureTimeEdit()->setTime(QTime(10, 20, 30));
    m_page->captureDateEdit()->setDate(QDate(2012, 5, 6));
    m_page->commentsEdit()->setPlainText(QStringLiteral("line one\nline two"));
    ASSERT_TRUE(m_messages.empty());
    ASSERT_TRUE(doc.save());
    EXPECT_FALSE(doc.isModified());

    CVantoroDoc reopened;
    ASSERT_TRUE(reopened.openDocument(doc.currentPath()));
    cSettingsPage fresh;
    fresh.AttachDocument(&reopened);
    EXPECT_EQ(fresh.unitList()->currentIndex(), 1);
    EXPECT_EQ(fresh.reflectedEdit()->text(), QString::fromUtf8("86.0 °F"));
    EXPECT_EQ(fresh.emissivityEdit()->text(), QStringLiteral("0.90"));
    EXPECT_EQ(fresh.captureTimeEdit()->time(), QTime(10, 20, 30));
    EXPECT_EQ(fresh.captureDateEdit()->date(), QDate(2012, 5, 6));
    EXPECT_EQ(fresh.commentsEdit()->toPlainText(), QStringLiteral("line one\nline two"));
    EXPECT_FALSE(reopened.isModified());
}

// Catches a Comments box that a click does not make the keyboard's target while its window
// is not the active one (no window manager activates it): typed keys went nowhere. Real key
// events go to whatever has the focus; the typed comment must be saved.
TEST_F(SettingsPageTest, CommentsTypedThroughTheFocusAreSaved)
{
    CVantoroDoc& doc = open(plan());
    m_page->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_page.get()));
    QWidget other;  // holds the activation, as another program's window would
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));

    QPlainTextEdit* comments = m_page->commentsEdit();
    comments->clear();
    QTest::mouseClick(comments->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_page.get()));
    ASSERT_EQ(QApplication::focusWidget(), comments);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Loose lug"));
    EXPECT_EQ(comments->toPlainText(), QStringLiteral("Loose lug"));
    EXPECT_TRUE(doc.isModified());
    ASSERT_TRUE(doc.save());

    CVantoroDoc reopened;
    ASSERT_TRUE(reopened.openDocument(doc.currentPath()));
    EXPECT_EQ(recordText(reopened.image().fields.comments), "Loose lug");
}

// Catches a page without a document or image acting on changes (or crashing).
TEST_F(SettingsPageTest, WithoutAnImageEveryChangeIsIgnored)
{
    m_page->AttachDocument(nullptr);
    EXPECT_FALSE(m_page->reflectedEdit()->isEnabled());
    EXPECT_FALSE(m_page->playButton()->isEnabled());
    m_page->SetGlobalEmissivity(5.0);
    m_page->SetReflectedTemperature(900.0);
    EXPECT_TRUE(m_messages.empty());

    CVantoroDoc empty;
    m_page->AttachDocument(&empty);
    m_page->commentsEdit()->setPlainText(QStringLiteral("ignored"));
    EXPECT_EQ(empty.image().fields.comments[0], 0);
    EXPECT_FALSE(empty.isModified());
}

// Catches the capture date and time running their sections in reverse in a right-to-left
// window ("05:18:01" for 01:18:05, "2026.12.9" for 9.12.2026).
TEST_F(SettingsPageTest, CaptureDateAndTimeReadInOrderRightToLeft)
{
    const LocaleScope hebrew(QLocale(QLocale::Hebrew, QLocale::Israel));
    QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    struct Restore {
        ~Restore() { QGuiApplication::setLayoutDirection(Qt::LeftToRight); }
    } restore;
    cSettingsPage page;
    auto* time = page.findChild<QTimeEdit*>(QStringLiteral("captureTime"));
    ASSERT_NE(time, nullptr);
    const QDateTime when(QDate(2026, 12, 9), QTime(1, 18, 5));
    page.captureDateEdit()->setDate(when.date());
    time->setTime(when.time());
    const QString date = page.captureDateEdit()->findChild<QLineEdit*>()->text();
    EXPECT_EQ(
        date.toStdString(),
        QLocale().toString(when.date(), page.captureDateEdit()->displayFormat()).toStdString());
    EXPECT_TRUE(date.startsWith(u'9')) << date.toStdString();
    EXPECT_EQ(time->findChild<QLineEdit*>()->text().toStdString(), "01:18:05");
}

}  // namespace
