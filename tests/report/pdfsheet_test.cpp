// "Generate PDF Report" on the report writer sheet: the empty list's message, the save
// dialog's set-up, a cancelled dialog, and the report written from the pages' data.
#include "report/reportsheet.h"

#include "report/imageselectdlg.h"
#include "report/engine/reporttext.h"
#include "document/reportdoc.h"
#include "report/titledlg.h"

#include "filedialoglog.h"
#include "sheetfixture.h"
#include "platform/languagemodules.h"
#include "platform/languagetable.h"
#include "platform/stringtable.h"
#include "messagelog.h"
#include "document/vantorodoc.h"

#include "core/fileio.h"

#include <QFile>
#include <QRegularExpression>
#include <QImage>
#include <QProgressDialog>
#include <QTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace calivue {
namespace {

TEST(PdfSheet, GenerateAsksForTheFileAndWritesTheReport)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    test::SheetOn on(test::sheetContext(dir));
    cReportSheet& sheet = on.sheet;

    test::FileDialogLog fileDialogs;
    std::optional<QString>& answer = fileDialogs.answer;

    {
        test::MessageLog log;
        sheet.generateReport();
        EXPECT_EQ(log.texts, QStringList{QStringLiteral("No reports selected")});
        ASSERT_EQ(log.seen.size(), 1u);
        EXPECT_EQ(log.seen[0].icon, cMessageDlg::IconKind::Exclamation);
        EXPECT_TRUE(fileDialogs.seen.empty());
    }

    const std::optional<cInspectionImage> entry = test::demoSnapshot(dir);
    ASSERT_TRUE(entry);
    cInspectionRecord record;
    record.name = u"Valve";
    ASSERT_TRUE(sheet.imageSelectPage()->loadProjectEntries({*entry}, {record}));

    const QString out = dir.filePath(QStringLiteral("chosen.pdf"));
    for (const bool chosen : {false, true}) {
        test::MessageLog log;
        answer = chosen ? std::optional<QString>(out) : std::nullopt;
        sheet.generateReport();
        // A written report ends with its confirmation (closed here), a cancelled one silently.
        EXPECT_EQ(log.texts,
                  chosen ? QStringList{QStringLiteral("The PDF report has been saved as:\n") + out}
                         : QStringList{});
        EXPECT_EQ(QFile::exists(out), chosen);
    }
    EXPECT_EQ(fileDialogs.seen.size(), 2u);
    const cIRFileDialog& asked = fileDialogs.seen.at(fileDialogs.seen.size() - 1);
    const QStringList filters = asked.nameFilters();
    EXPECT_EQ(asked.defaultSuffix(), QStringLiteral("pdf"));
    EXPECT_EQ(asked.initialName(), QStringLiteral("report"));
    ASSERT_EQ(filters.size(), 2);
    EXPECT_TRUE(filters[0].startsWith(QStringLiteral("PDF Files (*.pdf)")))
        << filters[0].toStdString();
    EXPECT_TRUE(filters[1].startsWith(QStringLiteral("All Files (*.*)")))
        << filters[1].toStdString();
    EXPECT_TRUE(asked.overwritePrompt());
    QFile pdf(out);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    // Title, contents, the inspection and the summary.
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![A-Za-z])"));
    EXPECT_EQ(QString::fromLatin1(bytes).count(page), 4) << bytes.count("/Type /Page");
    pdf.close();

    // Catches a full disk that goes unseen (or blames the printer server) and replaces the
    // earlier report with a truncated one: the message names the file and the reason.
    {
        test::MessageLog log;
        fileio_hooks::setWriteFault(fileio_hooks::WriteFault{out.toStdString(), 1, true});
        sheet.generateReport();
        fileio_hooks::setWriteFault(std::nullopt);
        EXPECT_EQ(log.texts, QStringList{QStringLiteral("Could not write the PDF file ") + out +
                                         QStringLiteral(": No space left on device")});
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        EXPECT_EQ(pdf.readAll(), bytes);
        pdf.close();
    }

    // A logo that loaded when chosen but is gone when the report is made: the report is made
    // without it, and the user is told which file and why. Catches the logo dropped unseen.
    {
        const QString logo = dir.filePath(QStringLiteral("logo.bmp"));
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        ASSERT_TRUE(picture.save(logo, "BMP"));
        answer = logo;
        sheet.titlePage()->chooseImage();  // Set Image, as the user would
        ASSERT_EQ(sheet.document().title().logoPath, logo.toStdU16String());
        ASSERT_TRUE(QFile::remove(logo));
        const QString other = dir.filePath(QStringLiteral("without logo.pdf"));
        answer = other;
        test::MessageLog log;
        sheet.generateReport();
        EXPECT_EQ(log.texts,
                  (QStringList{logo + QStringLiteral(": not found"),
                               QStringLiteral("The PDF report has been saved as:\n") + other}));
        EXPECT_TRUE(QFile::exists(other));
        answer = out;
        sheet.titlePage()->clearImage();
    }

    // A long report shows the progress dialog; its Cancel drops the job and keeps the
    // report written before under the same name.
    const std::vector<cInspectionImage> nine(9, sheet.imageSelectPage()->entries().front());
    ASSERT_TRUE(
        sheet.imageSelectPage()->loadProjectEntries(nine, std::vector<cInspectionRecord>(9)));
    int dialogs = 0;
    QTimer canceller;
    QObject::connect(&canceller, &QTimer::timeout, [&] {
        for (QProgressDialog* d : sheet.findChildren<QProgressDialog*>()) {
            ++dialogs;
            EXPECT_EQ(d->maximum(), 12);
            d->cancel();
        }
    });
    canceller.start(0);
    {
        test::MessageLog log;
        sheet.generateReport();
        EXPECT_EQ(log.texts, QStringList{QStringLiteral("PDF print job was cancelled")});
    }
    canceller.stop();
    EXPECT_GT(dialogs, 0);
    QFile kept(out);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), bytes);
}

// Catches a progress dialog that counts pages in another order than the footers: in Hebrew
// "page 1 of 12", the page first, as on every printed page.
TEST(PdfSheet, HebrewProgressReadsTheTotalFirst)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const LanguageLoad hebrew = LanguageModules().load(Language::Hebrew);
    ASSERT_TRUE(hebrew.ok());
    StringTable::setActive(hebrew.table);
    ReportContext hebrewContext;
    hebrewContext.language = Language::Hebrew;
    test::SheetOn on(test::sheetContext(dir, hebrewContext));
    cReportSheet& sheet = on.sheet;
    const std::optional<cInspectionImage> entry = test::demoSnapshot(dir);
    ASSERT_TRUE(entry);
    ASSERT_TRUE(sheet.imageSelectPage()->loadProjectEntries(
        std::vector<cInspectionImage>(9, *entry), std::vector<cInspectionRecord>(9)));
    test::FileDialogLog dialogs;
    dialogs.answer = dir.filePath(QStringLiteral("he.pdf"));
    QStringList labels, wanted;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        for (QProgressDialog* d : sheet.findChildren<QProgressDialog*>()) {
            if (d->value() < 1) continue;
            labels << d->labelText();
            wanted << QStringLiteral("\u05E2\u05DE\u05D5\u05D3 ") + QString::number(d->value()) +
                          QStringLiteral(" \u05DE\u05EA\u05D5\u05DA 12");
            d->cancel();
        }
    });
    watcher.start(0);
    {
        test::MessageLog log;
        sheet.generateReport();
    }
    watcher.stop();
    StringTable::setActive(StringTable::english());
    ASSERT_FALSE(labels.isEmpty());
    EXPECT_EQ(labels, wanted) << labels.join(u'|').toStdString();
}

// The confirmation after a report: OK alone, the file opened, or its folder opened, each through
// the desktop hook; a viewer that cannot be started is said, not passed over.
TEST(PdfSheet, ConfirmationOpensTheReportOrItsFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::optional<cInspectionImage> entry = test::demoSnapshot(dir);
    ASSERT_TRUE(entry);
    const QString out = dir.filePath(QStringLiteral("site.pdf"));
    test::FileDialogLog dialogs;
    dialogs.answer = out;
    struct Case {
        int answer;
        QString opened;  // the local path handed to the desktop, empty for none
        bool viewerStarts;
        int messages;
    } cases[] = {
        {cMessageDlg::IdOk, {}, true, 1},
        {cMessageDlg::IdChoice, out, true, 1},
        {cMessageDlg::IdChoice + 1, dir.path(), true, 1},
        {cMessageDlg::IdChoice, out, false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        ReportContext context;
        QStringList opened;
        context.openUrl = [&](const QUrl& url) {
            opened << url.toLocalFile();
            return c.viewerStarts;
        };
        test::SheetOn on(test::sheetContext(dir, context));
        cReportSheet& sheet = on.sheet;
        ASSERT_TRUE(sheet.imageSelectPage()->loadProjectEntries({*entry}, {cInspectionRecord{}}));
        test::MessageLog log;
        log.answer = c.answer;
        sheet.generateReport();
        ASSERT_EQ(static_cast<int>(log.seen.size()), c.messages);
        EXPECT_EQ(log.seen[0].icon, cMessageDlg::IconKind::Information);
        EXPECT_EQ(log.seen[0].buttons, (QList<int>{cMessageDlg::IdChoice, cMessageDlg::IdChoice + 1,
                                                   cMessageDlg::IdOk}));
        EXPECT_EQ(opened, c.opened.isEmpty() ? QStringList{} : QStringList{c.opened});
        if (c.messages > 1) {
            EXPECT_TRUE(log.seen[1].text.contains(out));
        }
    }
}

}  // namespace
}  // namespace calivue
