// CReportDoc: the report project as a document of its own, beside the snapshot's CVantoroDoc.
// It holds the title page values, the inspections (each the pair of its snapshot entry and its
// record, so a row and its record cannot part), the field captions, and the project's name,
// folder and modified flag. It is the only writer of them: the report writer's pages show it and
// change it through its calls, and it announces every change once with a signal. It reads and
// writes the .vrp file through the core codec; messages are its callers'.
#pragma once

#include "core/error.h"
#include "core/reportdata.h"
#include "core/reportproject.h"

#include <QObject>
#include <QString>

#include <vector>

namespace calivue {

// One inspection: its snapshot and its details, always together.
struct cInspection {
    cInspectionImage image;
    cInspectionRecord record;

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
    // Sets or clears the flag; announces modifiedChanged when it changes.
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
    // projectReplaced; the flag is clear afterwards. False, changing nothing, when its entry
    // and record counts differ.
    bool load(const ReportProject& project, const QString& path);
    // A new, empty project (the folder is kept for the next file dialog); projectReplaced.
    void newProject();

    // The project as the file stores it (a row's thumbnail index is its place in the list).
    ReportProject project() const;

    // --- title page ---------------------------------------------------------------------
    const ReportTitle& title() const { return m_title; }
    // Announces titleChanged and marks the project modified, unless nothing changed. A page
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

    // Inserts before `at` (clamped to 0 .. count); announces inspectionsInserted once.
    void insertInspections(int at, std::vector<cInspection> added);
    // Appends one inspection with a new record.
    void appendInspection(const cInspectionImage& image);
    // Removes `count` inspections from `first` (clamped); announces inspectionsRemoved once.
    void removeInspections(int first, int count);
    void removeAll() { removeInspections(0, inspectionCount()); }
    // Moves inspection `from` so that it ends up at index `to`; false when either is out of
    // range or they are equal. Announces inspectionMoved and marks the project modified, since
    // the order is saved with it.
    bool moveInspection(int from, int to);
    // Replaces an inspection's record; announces inspectionChanged unless nothing changed, and
    // marks the project modified when `markModified` (a page storing what it showed, with the
    // choices it filled in for the user, passes false: the user's typing marked it already).
    void setRecord(int index, const cInspectionRecord& record, bool markModified = true);

signals:
    // Sent before inspections are inserted, removed or moved, or the project replaced, so a
    // page can store what it is editing while the indexes still mean what it thinks.
    void inspectionsAboutToChange();
    void inspectionsInserted(int first, int count);
    void inspectionsRemoved(int first, int count);
    void inspectionMoved(int from, int to);
    void inspectionChanged(int index);
    void titleChanged();
    void captionsChanged();
    // Everything changed at once: a project was read, or a new one started.
    void projectReplaced();
    // The project was written (name and folder may have changed).
    void saved();
    void modifiedChanged(bool modified);

private:
    QString untitledName() const;
    // A row's thumbnail index is its place in the list, as the project file stores it.
    void renumber();

    ReportTitle m_title;
    ReportCaptions m_captions;
    std::vector<cInspection> m_inspections;
    // What a read project carries beyond the values above (its version mark and anything a
    // later file layout adds), written back as it came.
    ReportProject m_carried;
    QString m_name;
    QString m_folder;
    bool m_modified = false;
};

}  // namespace calivue
