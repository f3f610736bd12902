// "Generate Word Report" on the report writer sheet: the save dialog's set-up, the document
// written from the pages' data with its confirmation, and a failed write's message.
#include "report/reportsheet.h"

#include "report/imageselectdlg.h"
#include "report/engine/reporttext.h"

#include "filedialoglog.h"
#include "messagelog.h"
#include "sheetfixture.h"

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
    test::SheetOn on(test::sheetContext(dir));
    cReportSheet& sheet = on.sheet;
    const QString out = dir.filePath(QStringLiteral("chosen.docx"));
    test::FileDialogLog dialogs;
    dialogs.answer = out;
    const std::optional<cInspectionImage> entry = test::demoSnapshot(dir);
    ASSERT_TRUE(entry);
    cInspectionRecord record;
    record.name = u"Valve";
    ASSERT_TRUE(sheet.imageSelectPage()->loadProjectEntries({*entry}, {record}));

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
    const cIRFileDialog& asked = dialogs.seen.at(dialogs.seen.size() - 1);
    const QStringList filters = asked.nameFilters();
    EXPECT_EQ(asked.defaultSuffix(), QStringLiteral("docx"));
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
}

}  // namespace
}  // namespace calivue
