// "Generate Word Report" on the report writer sheet: the save dialog's set-up, the document
// written from the pages' data with its confirmation, and a failed write's message.
#include "reportsheet.h"

#include "imageselectdlg.h"
#include "reporttext.h"

#include "generator.h"
#include "irfiledialog.h"
#include "messagelog.h"
#include "vantorodoc.h"

#include "core/fileio.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace calivue {
namespace {

// Catches the Word command writing a PDF, asking with the PDF's dialog, a missing or wrong
// confirmation, and a full disk that goes unseen or damages the earlier document.
TEST(DocxSheet, GenerateWordReportWritesTheDocumentAndSaysWhere)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ReportContext context;
    context.settings = SettingsStore(dir.filePath(QStringLiteral("config")));
    CVantoroDoc doc(context.settings);
    cReportSheet sheet(context, doc);
    const QString out = dir.filePath(QStringLiteral("chosen.docx"));
    QString suffix;
    QStringList filters;
    cIRFileDialog::setChooser([&](const cIRFileDialog& d) {
        suffix = d.defaultSuffix();
        filters = d.nameFilters();
        return std::optional<QString>(out);
    });
    ASSERT_TRUE(gen::writeSnapshot(dir.path().toStdString(), "IR_0001", gen::demoPlan(2)).ok());
    cInspectionRecord record;
    record.name = u"Valve";
    ASSERT_TRUE(sheet.imageSelectPage()->loadProjectEntries(
        {{toU16(dir.filePath(QStringLiteral("IR_0001.QVX"))),
          toU16(dir.filePath(QStringLiteral("IR_0001.BMP"))), 0}},
        {record}));

    QByteArray bytes;
    {
        test::MessageLog log;
        sheet.generateWordReport();
        EXPECT_EQ(log.texts,
                  QStringList{QStringLiteral("The Word report has been saved as:\n") + out});
        QFile file(out);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        bytes = file.readAll();
        EXPECT_TRUE(bytes.startsWith("PK\x03\x04"));
        EXPECT_TRUE(bytes.contains("word/document.xml"));
    }
    EXPECT_EQ(suffix, QStringLiteral("docx"));
    ASSERT_EQ(filters.size(), 2);
    EXPECT_TRUE(filters[0].startsWith(QStringLiteral("Word Documents (")))
        << filters[0].toStdString();
    {
        test::MessageLog log;
        fileio_hooks::setWriteFault(fileio_hooks::WriteFault{out.toStdString(), 1, true});
        sheet.generateWordReport();
        fileio_hooks::setWriteFault(std::nullopt);
        EXPECT_EQ(log.texts, QStringList{QStringLiteral("Could not write the Word document ") +
                                         out + QStringLiteral(": No space left on device")});
        QFile file(out);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), bytes);
    }
    cIRFileDialog::setChooser({});
}

}  // namespace
}  // namespace calivue
