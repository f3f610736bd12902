#include "benchsurvey.h"

#include "report/engine/reporttext.h"

#include "generator.h"

#include <QDir>
#include <QFileInfo>

#include <string>

namespace calivue::bench {

namespace {
std::string snapshotName(int i)
{
    return "IR_" + std::to_string(1000 + i);
}
}  // namespace

bool writeSurveySnapshots(const QString& folder, int n)
{
    const QDir dir(folder);
    for (int i = 0; i < n; ++i) {
        const std::string name = snapshotName(i);
        if (QFileInfo::exists(dir.filePath(QString::fromStdString(name + ".QVX")))) continue;
        if (!gen::writeSnapshot(folder.toStdString(), name, gen::variedPlan(42, i)).ok())
            return false;
    }
    return true;
}

ReportJob surveyJob(const QString& folder, int n, const QString& output)
{
    ReportJob job;
    const QDir dir(folder);
    for (int i = 0; i < n; ++i) {
        const std::string name = snapshotName(i);
        job.entries.push_back({toU16(dir.filePath(QString::fromStdString(name + ".QVX"))),
                               toU16(dir.filePath(QString::fromStdString(name + ".BMP"))), 0});
        cInspectionRecord r;
        r.name = u"Distribution board " + toU16(QString::number(i + 1));
        r.location = u"Plant room";
        r.equipment = u"Main breaker";
        r.comment = u"Phase L2 terminal warmer than L1 and L3 under similar load.";
        r.faultAction = u"Tighten the terminal, re-inspect under load.";
        r.repairPriority = i % 6;
        job.records.push_back(r);
    }
    job.title.company = u"Acme Thermography";
    job.title.author = u"J. Smith";
    job.title.comments = u"Annual survey.";
    job.titleCaptions = defaultReportCaptions().title;
    job.detailsCaptions = defaultReportCaptions().details;
    job.logo = QImage(1200, 300, QImage::Format_RGB32);
    job.logo.fill(qRgb(20, 60, 160));
    job.outputPath = output;
    return job;
}

}  // namespace calivue::bench
