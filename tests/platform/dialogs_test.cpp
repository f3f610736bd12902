#include "desktop/irfiledialog.h"
#include "qtfiles.h"
#include "desktop/languagedlg.h"
#include "desktop/messagedlg.h"
#include "platform/settingsstore.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTemporaryDir>

using namespace calivue;

namespace {

using calivue::test::qs;

class FileDialogTest : public ::testing::Test {
protected:
    void TearDown() override { cIRFileDialog::setChooser({}); }
};

// The patterns part of a Qt name filter, "Description (p1 p2)" -> {p1, p2}.
QStringList patternsOf(const QString& nameFilter)
{
    const qsizetype open = nameFilter.lastIndexOf(QLatin1Char('('));
    return nameFilter.mid(open + 1, nameFilter.size() - open - 2).split(QLatin1Char(' '));
}

bool matchesCaseSensitively(const QStringList& patterns, const QString& name)
{
    for (const QString& p : patterns)
        if (QRegularExpression::fromWildcard(p, Qt::CaseSensitive).match(name).hasMatch())
            return true;
    return false;
}

}  // namespace

// Catches filters that miss the camera's upper-case names (IR_0001.BMP) on Linux.
TEST_F(FileDialogTest, FiltersMatchRegardlessOfCase)
{
    cIRFileDialog dialog(cIRFileDialog::Mode::Open, qs("bmp"));
    dialog.addFilter(qs("Calivue (*.bmp)"), qs("*.bmp"));
    ASSERT_EQ(dialog.nameFilters().size(), 1);
    EXPECT_TRUE(dialog.nameFilters()[0].startsWith(qs("Calivue (*.bmp) (")));
    const QStringList patterns = patternsOf(dialog.nameFilters()[0]);
    EXPECT_TRUE(matchesCaseSensitively(patterns, qs("IR_0001.BMP")));
    EXPECT_TRUE(matchesCaseSensitively(patterns, qs("ir_0001.bmp")));
    EXPECT_FALSE(matchesCaseSensitively(patterns, qs("IR_0001.QVX")));
}

// Catches a wrong reading of "description|patterns|...||" filter strings.
TEST_F(FileDialogTest, PipeSeparatedFilters)
{
    cIRFileDialog dialog(cIRFileDialog::Mode::Save, qs("pdf"), qs("report"));
    dialog.addFilters(qs("PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*||"));
    ASSERT_EQ(dialog.nameFilters().size(), 2);
    EXPECT_TRUE(matchesCaseSensitively(patternsOf(dialog.nameFilters()[0]), qs("a.PDF")));
    EXPECT_TRUE(matchesCaseSensitively(patternsOf(dialog.nameFilters()[1]), qs("a.txt")));

    cIRFileDialog images(cIRFileDialog::Mode::Open, qs("jpg"));
    images.addFilters(qs("Image Files (*.jpg, *.bmp)|*.jpg;*.bmp||"));
    ASSERT_EQ(images.nameFilters().size(), 1);
    const QStringList patterns = patternsOf(images.nameFilters()[0]);
    EXPECT_TRUE(matchesCaseSensitively(patterns, qs("logo.JPG")));
    EXPECT_TRUE(matchesCaseSensitively(patterns, qs("logo.bmp")));
    EXPECT_FALSE(matchesCaseSensitively(patterns, qs("logo.jpeg")));
}

// Catches the dialog not being set up as asked: native dialog, title, mode, overwrite prompt.
TEST_F(FileDialogTest, CreatedDialogIsConfigured)
{
    cIRFileDialog save(cIRFileDialog::Mode::Save, qs("vrp"), qs("Untitled.vrp"));
    save.setTitle(qs("Save As"));
    save.addFilter(qs("IR Report Files (*.vrp)"), qs("*.vrp"));
    save.setOverwritePrompt(true);
    const auto saveDialog = save.createDialog();
    EXPECT_TRUE(saveDialog->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(saveDialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(saveDialog->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(saveDialog->windowTitle(), qs("Save As"));
    EXPECT_EQ(saveDialog->defaultSuffix(), qs("vrp"));
    EXPECT_EQ(saveDialog->nameFilters(), save.nameFilters());

    cIRFileDialog open(cIRFileDialog::Mode::Open, qs("bmp"));
    const auto openDialog = open.createDialog();
    EXPECT_EQ(openDialog->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(openDialog->fileMode(), QFileDialog::ExistingFile);

    // Saving without the overwrite prompt replaces files silently, as asked.
    cIRFileDialog quiet(cIRFileDialog::Mode::Save, qs("csv"));
    EXPECT_TRUE(quiet.createDialog()->testOption(QFileDialog::DontConfirmOverwrite));
}

// Catches the test chooser bypassing the default suffix, or a cancel becoming a path.
TEST_F(FileDialogTest, ChooserAnswersInPlaceOfTheUser)
{
    QString seenTitle;
    cIRFileDialog::setChooser([&](const cIRFileDialog& d) -> std::optional<QString> {
        seenTitle = d.title();
        return qs("/tmp/out.d/site");
    });
    cIRFileDialog save(cIRFileDialog::Mode::Save, qs("vrp"));
    save.setTitle(qs("Save As"));
    EXPECT_EQ(save.choose(), qs("/tmp/out.d/site.vrp"));
    EXPECT_EQ(seenTitle, qs("Save As"));

    cIRFileDialog open(cIRFileDialog::Mode::Open, qs("bmp"));
    EXPECT_EQ(open.choose(), qs("/tmp/out.d/site"));  // open mode takes the path as chosen

    cIRFileDialog::setChooser([](const cIRFileDialog&) { return std::optional<QString>(); });
    EXPECT_FALSE(save.choose().has_value());
    EXPECT_EQ(save.withDefaultSuffix(qs("/x/IR_0001.BMP")), qs("/x/IR_0001.BMP"));
}

namespace {

class LanguageDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        cMessageDlg::setResponder([this](const cMessageDlg& box) {
            messages.append(box.text());
            icons.append(box.iconKind());
            return int(cMessageDlg::IdOk);
        });
    }
    void TearDown() override { cMessageDlg::setResponder({}); }

    QByteArray applicationFileBytes() const
    {
        QFile file(store.applicationFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir root;
    SettingsStore store{root.path()};
    QStringList messages;
    QList<cMessageDlg::IconKind> icons;
};

}  // namespace

// Catches a list out of order or not preselecting the language in use.
TEST_F(LanguageDialogTest, ListsTheLanguagesAndSelectsTheOneInUse)
{
    cLanguageDlg dialog(store, Language::Italian);
    const QStringList names = dialog.languageNames();
    ASSERT_EQ(names.size(), 17);
    EXPECT_EQ(names[0], qs("English"));
    EXPECT_EQ(names[8], qs("US English"));
    EXPECT_EQ(names[10], qs("Русский"));
    EXPECT_EQ(names[16], qs("Filipino"));
    EXPECT_EQ(dialog.selectedLanguage(), Language::Italian);
    EXPECT_EQ(dialog.windowTitle(), qs("Language"));
}

// Catches a rewrite (and restart message) when the stored language is chosen again.
TEST_F(LanguageDialogTest, SameLanguageWritesNothing)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(store.applicationFile()).absolutePath()));
    {
        // A comment that any rewrite by QSettings would drop.
        QFile file(store.applicationFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("; kept unless rewritten\n[Calivue%20Razadi]\nLanguage=2\n");
    }
    const QByteArray before = applicationFileBytes();
    cLanguageDlg dialog(store, Language::French);
    dialog.selectLanguage(Language::French);
    dialog.accept();
    EXPECT_EQ(dialog.outcome(), cLanguageDlg::Outcome::Unchanged);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(applicationFileBytes(), before);
}

// Catches a new choice not being stored, or stored without the restart message.
TEST_F(LanguageDialogTest, NewLanguageIsStoredWithRestartMessage)
{
    EXPECT_FALSE(store.setLanguage(Language::French));
    cLanguageDlg dialog(store, Language::French);
    dialog.selectLanguage(Language::Chinese);
    dialog.accept();
    EXPECT_EQ(dialog.outcome(), cLanguageDlg::Outcome::Changed);
    EXPECT_EQ(store.language(), Language::Chinese);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], qs("Please restart the program to apply the settings."));
    EXPECT_EQ(icons[0], cMessageDlg::IconKind::Information);
}

// Catches "English" being treated as "no change" when no language was ever stored.
TEST_F(LanguageDialogTest, FirstChoiceOfEnglishIsStored)
{
    cLanguageDlg dialog(store, Language::English);
    dialog.accept();
    EXPECT_EQ(dialog.outcome(), cLanguageDlg::Outcome::Changed);
    EXPECT_EQ(store.language(), Language::English);
}

// Catches a failed write reported as a change (and the restart message shown anyway).
TEST_F(LanguageDialogTest, FailedWriteShowsTheErrorInstead)
{
    QFile blocker(QDir(root.path()).filePath(qs("Orvane")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    cLanguageDlg dialog(store, Language::English);
    dialog.selectLanguage(Language::German);
    dialog.accept();
    EXPECT_EQ(dialog.outcome(), cLanguageDlg::Outcome::WriteFailed);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(qs("Error writing setting to registry\n") + root.path()))
        << messages[0].toStdString();
}

// Catches Cancel storing the selection.
TEST_F(LanguageDialogTest, CancelStoresNothing)
{
    cLanguageDlg dialog(store, Language::English);
    dialog.selectLanguage(Language::Spanish);
    dialog.reject();
    EXPECT_EQ(dialog.outcome(), cLanguageDlg::Outcome::Cancelled);
    EXPECT_EQ(store.language(), std::nullopt);
    EXPECT_TRUE(messages.isEmpty());
}

// Catches a language without its module offered like any other: it must be marked, not
// selectable, and refused on OK without writing, so the next start cannot lock the user out.
TEST_F(LanguageDialogTest, LanguagesWithoutModuleAreMarkedAndRefused)
{
    cLanguageDlg dialog(store, Language::English, nullptr,
                        [](Language l) { return l == Language::UsEnglish; });
    const QStringList names = dialog.languageNames();
    EXPECT_EQ(names[0], qs("English"));
    EXPECT_EQ(names[1], qs("Deutsch (not installed)"));
    EXPECT_EQ(names[8], qs("US English"));
    auto* model = qobject_cast<QStandardItemModel*>(dialog.findChild<QComboBox*>()->model());
    ASSERT_NE(model, nullptr);
    EXPECT_FALSE(model->item(1)->isEnabled());
    EXPECT_TRUE(model->item(8)->isEnabled());

    dialog.selectLanguage(Language::German);
    dialog.accept();
    EXPECT_EQ(dialog.outcome(), cLanguageDlg::Outcome::NotInstalled);
    EXPECT_EQ(store.language(), std::nullopt);
    EXPECT_TRUE(messages.isEmpty());

    dialog.selectLanguage(Language::UsEnglish);
    dialog.accept();
    EXPECT_EQ(dialog.outcome(), cLanguageDlg::Outcome::Changed);
    EXPECT_EQ(store.language(), Language::UsEnglish);
}
