#include "document/reportdoc.h"

#include "core/equipmentcodec.h"
#include "core/findingscodec.h"
#include "core/printrules.h"

#include "platform/fspath.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <utility>

namespace calivue {

namespace {
// The path up to and including its last separator; empty when it has none.
QString folderOf(const QString& path)
{
    const qsizetype cut =
        qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return cut < 0 ? QString() : path.left(cut + 1);
}
}  // namespace

CReportDoc::CReportDoc(QObject* parent)
    : QObject(parent), m_captions(defaultReportCaptions()), m_name(untitledName())
{
}

CReportDoc::~CReportDoc() = default;

QString CReportDoc::untitledName() const
{
    return uiText(sid::Untitled) + QStringLiteral(".vrp");
}

bool CReportDoc::isUntitled() const
{
    return m_name == untitledName();
}

void CReportDoc::setModified(bool modified)
{
    if (m_modified == modified) return;
    m_modified = modified;
    emit changed({ReportPart::Modified});
}

void CReportDoc::announce(ReportChange change, bool markModified)
{
    if (markModified && !std::exchange(m_modified, true)) change.what |= ReportPart::Modified;
    emit changed(change);
}

QString CReportDoc::windowTitle(const QString& applicationTitle) const
{
    if (m_name.isEmpty()) return applicationTitle;
    return m_name + (m_modified ? QStringLiteral("* - ") : QStringLiteral(" - ")) +
           applicationTitle;
}

// --- the project file -----------------------------------------------------------------------

ReportProject CReportDoc::project() const
{
    ReportProject out;
    // A failure to put the findings or the equipment (the block's caps) is write()'s to
    // report; the report then reads what the project carried.
    composeProject(out);
    return out;
}

Error CReportDoc::composeProject(ReportProject& out) const
{
    out = m_carried;
    out.title = m_title;
    out.entries = images();
    out.records = records();
    out.captions = m_captions;
    // A section that did not read is carried as it came; otherwise it is what the window shows.
    // Both are put whatever the other gives, so the report sees each that fits.
    const Error equipmentError =
        m_equipmentProblem == Error::None ? putProjectEquipment(out, equipment()) : Error::None;
    const Error findingsError =
        m_findingsProblem == Error::None ? putProjectFindings(out, findings()) : Error::None;
    return equipmentError != Error::None ? equipmentError : findingsError;
}

ReportLayout CReportDoc::reportLayout() const
{
    const Result<ReportLayout> layout = readReportLayout(m_carried);
    return layout.ok() ? layout.value() : ReportLayout::Classic;
}

bool CReportDoc::setReportLayout(ReportLayout layout)
{
    if (readReportLayout(m_carried).ok() && reportLayout() == layout) return true;
    ReportProject changed = m_carried;
    if (putReportLayout(changed, layout) != Error::None) return false;
    m_carried = std::move(changed);
    announce({ReportPart::Style}, true);
    return true;
}

std::optional<Language> CReportDoc::reportLanguage() const
{
    const Result<std::optional<int>> language = readReportLanguage(m_carried);
    if (!language.ok() || !language.value()) return std::nullopt;
    return languageFrom(*language.value());
}

bool CReportDoc::setReportLanguage(std::optional<Language> language)
{
    const std::optional<int> number =
        language ? std::optional<int>(languageNumber(*language)) : std::nullopt;
    const Result<std::optional<int>> stored = readReportLanguage(m_carried);
    if (stored.ok() && stored.value() == number) return true;
    ReportProject changed = m_carried;
    if (putReportLanguage(changed, number) != Error::None) return false;
    m_carried = std::move(changed);
    announce({ReportPart::Style}, true);
    return true;
}

Error CReportDoc::write(const QString& path, FileFailure* failure)
{
    if (path.isEmpty()) return Error::NotFound;
    ReportProject out;
    if (const Error e = composeProject(out); e != Error::None) return e;
    if (const Error e = writeReportProjectFile(toFsPath(path), out, failure); e != Error::None)
        return e;
    m_name = QFileInfo(path).fileName();
    m_folder = folderOf(path);
    // The flag first: a view that hears Saved finds the project clean.
    const bool wasModified = std::exchange(m_modified, false);
    emit changed(
        {wasModified ? ReportPart::Saved | ReportPart::Modified : ReportParts(ReportPart::Saved)});
    return Error::None;
}

Result<ReportProject> CReportDoc::readFile(const QString& path)
{
    if (path.isEmpty()) return Error::NotFound;
    return readReportProjectFile(toFsPath(path));
}

bool CReportDoc::load(const ReportProject& project, const QString& path)
{
    if (!project.countsAgree()) return false;
    emit aboutToChange({ReportPart::Project});
    m_carried = project;
    m_carried.entries.clear();
    m_carried.records.clear();
    m_title = project.title;
    m_captions = project.captions.value_or(defaultReportCaptions());
    m_inspections.clear();
    m_inspections.reserve(project.entries.size());
    Result<ProjectFindings> findings = readProjectFindings(project);
    m_findingsProblem = findings.error();
    m_findingsSettings = findings ? findings->settings : FindingsSettings{};
    for (std::size_t i = 0; i < project.entries.size(); ++i) {
        const bool stored = findings && i < findings->records.size();
        m_inspections.push_back(
            {project.entries[i],
             project.records[i],
             stored ? findings->records[i] : defaultRecordFindings(project.records[i]),
             {}});
    }
    loadEquipment(project);
    renumber();
    if (!path.isEmpty()) {
        m_name = QFileInfo(path).fileName();
        m_folder = folderOf(path);
    }
    replaced();
    return true;
}

void CReportDoc::newProject()
{
    emit aboutToChange({ReportPart::Project});
    m_carried = ReportProject{};
    m_findingsSettings = FindingsSettings{};
    m_findingsProblem = Error::None;
    m_equipmentItems.clear();
    m_previousProject.clear();
    m_equipmentProblem = Error::None;
    m_title = ReportTitle{};
    m_captions = defaultReportCaptions();
    m_inspections.clear();
    m_name = untitledName();
    replaced();
}

void CReportDoc::replaced()
{
    // The flag first, as for Saved: the views settle on a clean project.
    const bool wasModified = std::exchange(m_modified, false);
    emit changed({wasModified ? ReportPart::Project | ReportPart::Modified
                              : ReportParts(ReportPart::Project)});
    // Views settling themselves on the new project may have touched it: it is clean now.
    setModified(false);
}

// --- title and captions ----------------------------------------------------------------------

void CReportDoc::setTitle(const ReportTitle& title, bool markModified)
{
    if (title == m_title) return;
    m_title = title;
    announce({ReportPart::Title}, markModified);
}

void CReportDoc::setCaptions(const ReportCaptions& captions)
{
    if (captions == m_captions) return;
    m_captions = captions;
    announce({ReportPart::Captions});
}

// --- inspections -------------------------------------------------------------------------------

const cInspection* CReportDoc::inspection(int index) const
{
    return index >= 0 && index < inspectionCount() ? &m_inspections[std::size_t(index)] : nullptr;
}

std::vector<cInspectionImage> CReportDoc::images() const
{
    std::vector<cInspectionImage> out;
    out.reserve(m_inspections.size());
    for (const cInspection& i : m_inspections) out.push_back(i.image);
    return out;
}

void CReportDoc::renumber()
{
    for (std::size_t row = 0; row < m_inspections.size(); ++row)
        m_inspections[row].image.thumbnailIndex = static_cast<std::int32_t>(row);
}

std::vector<cInspectionRecord> CReportDoc::records() const
{
    std::vector<cInspectionRecord> out;
    out.reserve(m_inspections.size());
    for (const cInspection& i : m_inspections) out.push_back(i.record);
    return out;
}

void CReportDoc::insertInspections(int at, std::vector<cInspection> added)
{
    if (added.empty()) return;
    const int first = std::clamp(at, 0, inspectionCount());
    const int count = static_cast<int>(added.size());
    const ReportChange change{ReportPart::Inserted, first, count};
    emit aboutToChange(change);
    m_inspections.insert(m_inspections.begin() + first, std::make_move_iterator(added.begin()),
                         std::make_move_iterator(added.end()));
    renumber();
    announce(change, true);
}

void CReportDoc::appendInspection(const cInspectionImage& image)
{
    insertInspections(inspectionCount(), {cInspection{image, {}, {}, {}}});
}

void CReportDoc::removeInspections(int first, int count)
{
    first = std::clamp(first, 0, inspectionCount());
    count = std::clamp(count, 0, inspectionCount() - first);
    if (count == 0) return;
    const ReportChange change{ReportPart::Removed, first, count};
    emit aboutToChange(change);
    m_inspections.erase(m_inspections.begin() + first, m_inspections.begin() + first + count);
    renumber();
    announce(change, true);
}

bool CReportDoc::moveInspection(int from, int to)
{
    if (from == to || !inspection(from) || !inspection(to)) return false;
    const ReportChange change{ReportPart::Moved, from, 1, to};
    emit aboutToChange(change);
    cInspection moved = std::move(m_inspections[std::size_t(from)]);
    m_inspections.erase(m_inspections.begin() + from);
    m_inspections.insert(m_inspections.begin() + to, std::move(moved));
    renumber();
    // The order is saved with the project: a reorder alone must not be lost at close.
    announce(change, true);
    return true;
}

void CReportDoc::setRecord(int index, const cInspectionRecord& record, bool markModified)
{
    if (!inspection(index) || m_inspections[std::size_t(index)].record == record) return;
    m_inspections[std::size_t(index)].record = record;
    announce({ReportPart::Record, index, 1}, markModified);
}

}  // namespace calivue

namespace calivue {

// --- findings ----------------------------------------------------------------------------------

ProjectFindings CReportDoc::findings() const
{
    ProjectFindings out;
    out.settings = m_findingsSettings;
    out.records.reserve(m_inspections.size());
    for (const cInspection& i : m_inspections) out.records.push_back(i.findings);
    return out;
}

std::optional<std::string> CReportDoc::setFindingsSettings(const FindingsSettings& settings)
{
    if (!findingsEditable()) return std::string("findings: the project's findings did not read");
    if (std::optional<std::string> problem = settingsProblem(settings)) return problem;
    if (settings == m_findingsSettings) return std::nullopt;
    m_findingsSettings = settings;
    announce({ReportPart::FindingsSettings}, true);
    return std::nullopt;
}

bool CReportDoc::changeFindings(int index, const cInspectionRecord& record,
                                const RecordFindings& findings)
{
    if (!findingsEditable() || !inspection(index)) return false;
    if (findings.ambient && !std::isfinite(*findings.ambient)) return false;
    cInspection& i = m_inspections[std::size_t(index)];
    if (i.record == record && i.findings == findings) return true;
    i.record = record;
    i.findings = findings;
    announce({ReportPart::Findings, index, 1}, true);
    return true;
}

bool CReportDoc::setRecordFindings(int index, const RecordFindings& findings)
{
    const cInspection* i = inspection(index);
    if (!i) return false;
    RecordFindings changed = findings;
    changed.priorityManual = i->findings.priorityManual;
    return changeFindings(index, i->record, changed);
}

bool CReportDoc::setPriority(int index, int priority)
{
    const cInspection* i = inspection(index);
    if (!i || priority < 0 || priority > 5) return false;
    cInspectionRecord record = i->record;
    record.repairPriority = priority;
    RecordFindings findings = i->findings;
    findings.priorityManual = true;
    return changeFindings(index, record, findings);
}

bool CReportDoc::useSuggestedPriority(int index)
{
    const cInspection* i = inspection(index);
    if (!i) return false;
    cInspectionRecord record = i->record;
    record.repairPriority = 0;
    RecordFindings findings = i->findings;
    findings.priorityManual = false;
    return changeFindings(index, record, findings);
}

}  // namespace calivue
