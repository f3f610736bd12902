// CReportDoc: the report project as a document of its own, beside the snapshot's CVantoroDoc.
// It holds the title page values, the inspections (each the pair of its snapshot entry and its
// record, so a row and its record cannot part), the field captions, and the project's name,
// folder and modified flag. It is the only writer of them: the report writer's pages show it and
// change it through its calls, and it announces every change once, as a ReportChange (changed),
// with a pre-notice for the changes that renumber the inspections (aboutToChange). It reads and
// writes the .vrp file through the core codec; messages are its callers'.
#pragma once

#include "core/equipment.h"
#include "core/error.h"
#include "core/findings.h"
#include "core/reportdata.h"
#include "core/reportproject.h"
#include "core/reportstyle.h"
#include "document/reportchange.h"
#include "platform/languagetable.h"

#include <QObject>
#include <QString>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace calivue {

// One inspection: its snapshot, its details, its own findings data and the identifier of the
// equipment item it names (empty for none), always together.
struct cInspection {
    cInspectionImage image;
    cInspectionRecord record;
    RecordFindings findings;
    std::u16string equipmentId;

    bool operator==(const cInspection&) const = default;
};

class CReportDoc : public QObject {
    Q_OBJECT

public:
    // A new project: no inspections, the default title and captions, named "Untitled.vrp".
    explicit CReportDoc(QObject* parent = nullptr);
    ~CReportDoc() override;

    // --- the project file -------------------------------------------------------------------
    // The file name of the project, extension included ("Untitled.vrp" until saved or read).
    const QString& name() const { return m_name; }
    // The folder of the last project written or read, with its trailing separator; kept by New.
    const QString& folder() const { return m_folder; }
    // Whether the name is still the new project's, so Save must ask for one.
    bool isUntitled() const;
    bool isModified() const { return m_modified; }
    // Sets or clears the flag; announces Modified when it changes.
    void setModified(bool modified);
    // The main window's title while the project is shown: "<name>* - <app>" when modified,
    // "<name> - <app>" when not, the application title alone without a name.
    QString windowTitle(const QString& applicationTitle) const;

    // Writes the project to `path` (the whole file replaced, so a failed write leaves the old
    // one). On success the name and folder become the path's and the flag clears; on
    // failure, failure (when given) names the file and the system's reason.
    Error write(const QString& path, FileFailure* failure = nullptr);
    // Reads a project file without applying it, so a caller can refuse it unapplied.
    static Result<ReportProject> readFile(const QString& path);
    // Replaces everything with `project` (read from `path`; empty: no file) and announces
    // Project; the flag is clear afterwards. False, changing nothing, when its entry
    // and record counts differ.
    bool load(const ReportProject& project, const QString& path);
    // A new, empty project (the folder is kept for the next file dialog); announces Project.
    void newProject();

    // The project as the file stores it (a row's thumbnail index is its place in the list).
    ReportProject project() const;

    // --- title page ---------------------------------------------------------------------
    const ReportTitle& title() const { return m_title; }
    // Announces Title and marks the project modified, unless nothing changed. A page
    // filling in its starting values (`markModified` false) leaves the flag alone.
    void setTitle(const ReportTitle& title, bool markModified = true);

    // --- captions -----------------------------------------------------------------------
    // The labels of the input fields, as the project file stores them. Editing a label is
    // not a change of the project's contents: the flag stays as it is.
    const ReportCaptions& captions() const { return m_captions; }
    void setCaptions(const ReportCaptions& captions);

    // --- inspections --------------------------------------------------------------------
    int inspectionCount() const { return static_cast<int>(m_inspections.size()); }
    const std::vector<cInspection>& inspections() const { return m_inspections; }
    // nullptr outside 0 .. inspectionCount() − 1.
    const cInspection* inspection(int index) const;
    // The entries and the records in inspection order. An entry's thumbnail index is its
    // place in the list (the pictures themselves are the image selection page's).
    std::vector<cInspectionImage> images() const;
    std::vector<cInspectionRecord> records() const;

    // Inserts before `at` (clamped to 0 .. count); announces Inserted once.
    void insertInspections(int at, std::vector<cInspection> added);
    // Appends one inspection with a new record.
    void appendInspection(const cInspectionImage& image);
    // Removes `count` inspections from `first` (clamped); announces Removed once.
    void removeInspections(int first, int count);
    void removeAll() { removeInspections(0, inspectionCount()); }
    // Moves inspection `from` so that it ends up at index `to`; false when either is out of
    // range or they are equal. Announces Moved and marks the project modified, since
    // the order is saved with it.
    bool moveInspection(int from, int to);
    // Replaces an inspection's record; announces Record unless nothing changed, and
    // marks the project modified when `markModified` (a page storing what it showed, with the
    // choices it filled in for the user, passes false: the user's typing marked it already).
    void setRecord(int index, const cInspectionRecord& record, bool markModified = true);

    // --- findings ----------------------------------------------------------------------
    // The project's criteria settings and survey conditions, and each inspection's own
    // findings data (kept in its cInspection, so it follows its inspection through every
    // insert, remove and move). They are read with the project and written into it by
    // project(), so the file and the report see what the window shows.
    const FindingsSettings& findingsSettings() const { return m_findingsSettings; }
    ProjectFindings findings() const;
    // Why the project's findings section did not read (None when it did, or the project has
    // none). Such a project shows the default findings read-only: every findings setter
    // refuses, and the section is written back byte for byte, so nothing of it is lost.
    Error findingsProblem() const { return m_findingsProblem; }
    bool findingsEditable() const { return m_findingsProblem == Error::None; }
    // Replaces the settings: what settingsProblem refuses is returned and nothing changes
    // (also "findings: ..." while the findings are read-only). Announces
    // FindingsSettings and marks the project modified, unless nothing changed.
    std::optional<std::string> setFindingsSettings(const FindingsSettings& settings);
    // An inspection's reference and own ambient (its priority flag follows setPriority and
    // useSuggestedPriority). False, changing nothing, out of range, for an ambient that is no
    // number, or while read-only. Announces Findings for the index and marks modified.
    bool setRecordFindings(int index, const RecordFindings& findings);
    // The user chose a repair priority (0-5): it is stored in the record and marked as set
    // by hand, so the class no longer decides it.
    bool setPriority(int index, int priority);
    // Back to the suggestion: the stored priority becomes 0 and the hand-set mark clears.
    bool useSuggestedPriority(int index);

    // --- equipment ---------------------------------------------------------------------
    // The survey's equipment list, the item each inspection names (kept in its cInspection,
    // so it follows the inspection as its findings do) and the previous survey's project
    // file. Read with the project and written into it by project(). None of it is undone;
    // every change marks the project modified.
    const std::vector<EquipmentItem>& equipmentItems() const { return m_equipmentItems; }
    ProjectEquipment equipment() const;
    // Why the project's equipment section did not read (None when it did or there is none).
    // Such a project shows no equipment and keeps the section byte for byte: every equipment
    // setter refuses.
    Error equipmentProblem() const { return m_equipmentProblem; }
    bool equipmentEditable() const { return m_equipmentProblem == Error::None; }
    // Replaces the list. `fate` maps each identifier of the list before to its identifier in
    // `items` (itself, a new one when renamed, empty when removed), and the inspections'
    // links follow it (relinkEquipment); a link left naming no item is removed. What
    // equipmentProblem refuses is returned in its words and nothing changes (also
    // "equipment: ..." while read-only). Announces Equipment and marks the project
    // modified, unless nothing changed.
    std::optional<std::string> setEquipmentItems(
        std::vector<EquipmentItem> items,
        const std::map<std::u16string, std::u16string>& fate = {});
    // How many inspections would lose their link if the list became `items` with `fate`.
    std::size_t linksLostBy(const std::vector<EquipmentItem>& items,
                            const std::map<std::u16string, std::u16string>& fate) const;
    // The identifier the inspection names; empty out of range or for none.
    std::u16string equipmentId(int index) const;
    // Names the item `id` for the inspection (empty: none). False, changing nothing, out of
    // range, for an identifier the list does not hold, or while read-only. Announces
    // EquipmentLink for the index and marks the project modified when the link changes.
    bool setEquipmentId(int index, const std::u16string& id);
    const std::u16string& previousProject() const { return m_previousProject; }
    // The previous survey's project file (empty: none); marks modified when it changes.
    bool setPreviousProject(const std::u16string& path);

    // --- how the report is printed ----------------------------------------------------------
    // The page layout and the report's language (nullopt: the window's), kept in the project's
    // extension block; a section that does not read counts as the default. Setting the
    // default removes the section, so a project that never chose stays byte for byte as it
    // was. Each setter announces Style and marks the project modified, unless
    // nothing changed; false when the block refuses the section (nothing changes then).
    ReportLayout reportLayout() const;
    bool setReportLayout(ReportLayout layout);
    // The report language: nullopt (the window's) without a section, and for a stored number
    // this program has no language for (kept in the file as it is until another is chosen).
    std::optional<Language> reportLanguage() const;
    bool setReportLanguage(std::optional<Language> language);

signals:
    // The one announcement of every change: what the call changed, once per call. A setter
    // that also marks the project modified (or a write or read that clears the flag) carries
    // Modified in the same announcement.
    void changed(const calivue::ReportChange& change);
    // The pre-notice of a change in kReportListChanges, with the same value changed will
    // carry: a page stores what it is editing while the indexes still mean what it thinks.
    void aboutToChange(const calivue::ReportChange& change);

private:
    // Marks the project modified when asked (adding Modified when the flag turns), then emits
    // changed once.
    void announce(ReportChange change, bool markModified = false);
    // Announces Project after a read or New, the flag cleared before and after the views
    // settle on it.
    void replaced();
    QString untitledName() const;
    // A row's thumbnail index is its place in the list, as the project file stores it.
    void renumber();
    Error composeProject(ReportProject& out) const;
    bool changeFindings(int index, const cInspectionRecord& record, const RecordFindings& findings);
    // Takes the equipment data of a project being loaded (the list empty when it did not read).
    void loadEquipment(const ReportProject& project);

    ReportTitle m_title;
    ReportCaptions m_captions;
    std::vector<cInspection> m_inspections;
    // What a read project carries beyond the values above (its version mark and anything a
    // later file layout adds), written back as it came.
    ReportProject m_carried;
    FindingsSettings m_findingsSettings;
    Error m_findingsProblem = Error::None;
    std::vector<EquipmentItem> m_equipmentItems;
    std::u16string m_previousProject;
    Error m_equipmentProblem = Error::None;
    QString m_name;
    QString m_folder;
    bool m_modified = false;
};

}  // namespace calivue
