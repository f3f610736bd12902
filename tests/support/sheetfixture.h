// For the report tests: a report writer sheet on its own document, with its settings in a
// folder of the test's, and the one generated snapshot the sheet tests list.
#pragma once

#include "report/imageselectdlg.h"
#include "report/reportsheet.h"

#include "generator.h"
#include "document/vantorodoc.h"

#include <QTemporaryDir>

#include <optional>

namespace calivue::test {

// The context a sheet is made with: `base` with its settings in `dir`/config.
inline ReportContext sheetContext(const QTemporaryDir& dir, ReportContext base = {})
{
    base.settings = SettingsStore(dir.filePath(QStringLiteral("config")));
    return base;
}

// A sheet and the document it works on, as the report commands find them.
struct SheetOn {
    explicit SheetOn(ReportContext c)
        : context(std::move(c)), doc(context.settings), sheet(context, doc)
    {
    }

    ReportContext context;
    CVantoroDoc doc;
    cReportSheet sheet;
};

// Writes IR_0001.BMP / IR_0001.QVX (the demo scene) into dir; the entry a sheet lists for it,
// or nullopt when the files could not be written.
inline std::optional<cInspectionImage> demoSnapshot(const QTemporaryDir& dir)
{
    if (!gen::writeSnapshot(dir.path().toStdString(), "IR_0001", gen::demoPlan(2)).ok())
        return std::nullopt;
    return cInspectionImage{dir.filePath(QStringLiteral("IR_0001.QVX")).toStdU16String(),
                            dir.filePath(QStringLiteral("IR_0001.BMP")).toStdU16String(), 0};
}

}  // namespace calivue::test
