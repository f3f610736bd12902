// cSnapshotCommands: the snapshot's File commands as the user meets them. The document does the
// work and returns what went wrong; this is the one place that asks the questions ("Save
// changes to ...?", "Lose all changes ...?"), shows the file dialogs and turns the document's
// errors into the designed messages (through fileErrorMessage). It keeps no state of its own,
// so a caller may make one where it needs it.
#pragma once

#include <QPointer>
#include <QString>

#include <optional>

class QWidget;

namespace calivue {

class CVantoroDoc;
struct FileError;

class cSnapshotCommands {
public:
    // `doc` must outlive the commands; the dialogs are parented to dialogParent (top-level
    // without one).
    explicit cSnapshotCommands(CVantoroDoc& doc, QWidget* dialogParent = nullptr);

    // Opens the snapshot at path (.bmp or .qvx); shows "Error opening file" with the file and
    // the reason when it fails, and the incomplete-record warning when it opens short. True
    // when a snapshot is open.
    bool open(const QString& path);
    // The Open command's dialog: the chosen path, nullopt when cancelled.
    std::optional<QString> chooseSnapshot() const;
    // Replacing the open snapshot: asks about unsaved changes first (saveModified), then opens.
    bool replaceWith(const QString& path);

    // Saves under bmpPath; "Error saving file" with the file of the set and the reason when
    // that fails (the changes are still only in the document). False without a snapshot.
    bool saveTo(const QString& bmpPath);
    // Save: the snapshot under its current path.
    bool save();
    // Save As: the save dialog, then saveTo; false when cancelled or the save failed.
    bool saveAs();
    // Revert: asks "Lose all changes since your last save ?" when modified; on Yes reopens
    // the saved snapshot.
    void revert();
    // Before the document is closed or replaced: asks about unsaved snapshot changes (Yes
    // saves, No discards, Cancel keeps the document). False when the caller must not go on.
    bool saveModified();
    // Before the report writer takes the snapshot from its files: asks the same question;
    // Yes saves, No reopens the saved snapshot (its changes dropped, the files untouched),
    // Cancel keeps everything. False when the caller must not go on.
    bool settleChangesFromFiles();

    // Excel Output: the save dialog and the temperature table; "Excel output complete" when
    // written, the file and the reason when not. False when cancelled or failed.
    bool exportCsv();
    // Tools > Persist Report Details: flips the setting; the settings store's message when it
    // cannot be written (the setting then stays as it was).
    void togglePersistReportDetails();

private:
    // Shows a failed operation's message; returns whether it succeeded.
    bool report(const FileError& e) const;
    // After an open: its failure, or the warning of a record that opened short; whether a
    // snapshot is open.
    bool opened(const FileError& e) const;
    // "Save changes to NAME ?" with Yes, No, Cancel: the button pressed.
    int askSaveChanges() const;

    CVantoroDoc& m_doc;
    QPointer<QWidget> m_parent;
};

}  // namespace calivue
