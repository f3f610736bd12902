// The document's file side: open, save, reopening the saved snapshot and the temperature
// table. Each returns what went wrong with the file it concerns; the questions and messages
// around them are the command layer's.
#include "document/vantorodoc.h"

#include "core/csvexport.h"
#include "core/snapshotfiles.h"
#include "platform/errortext.h"
#include "platform/fspath.h"
#include "platform/stringids.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace calivue {
namespace {

FileError writeError(Error e, const QString& target)
{
    FileError out;
    out.error = e;
    out.messageId = sid::ErrorSavingFile;
    out.access = FileError::Access::Write;
    out.path = target;
    return out;
}

}  // namespace

FileError CVantoroDoc::openDocument(const QString& path)
{
    m_loadSuccess = false;
    setModified(false);

    // A .qvx name stands for its snapshot; the document's path is always the .bmp.
    const fs::path bmpPath = openPathHook(toFsPath(path));
    const Error e = path.isEmpty() ? Error::NotFound : openSnapshot(bmpPath, m_image);
    if (e != Error::None) {
        clear();
        // A bitmap that is there without its record: the file that is missing is the record.
        const fs::path failed = failedSnapshotFile(e, toFsPath(path));
        FileError out;
        out.error = e;
        out.messageId = sid::ErrorOpeningFile;
        out.path = failed == toFsPath(path) ? path : fromFsPath(failed);
        out.kind = FileKind::SnapshotRecord;
        return out;
    }

    m_image.setAreaMode(m_areaMode);
    // Prefer the spelling on disk, so a later save copies the camera's IR_0001.BMP
    // rather than looking for a file that only differs in case.
    m_currentPath = fromFsPath(findCompanion(bmpPath).value_or(bmpPath));
    m_loadSuccess = true;
    afterLoad();
    return {};
}

FileError CVantoroDoc::saveDocument(const QString& newBmpPath)
{
    if (!isLoaded()) return writeError(Error::NotLoaded, newBmpPath);
    if (newBmpPath.isEmpty()) return writeError(Error::BadArgument, newBmpPath);

    SavedSnapshot saved;
    const fs::path current = m_currentPath.isEmpty() ? fs::path() : toFsPath(m_currentPath);
    FileError out = writeError(Error::None, newBmpPath);
    out.error =
        saveSnapshot(m_image, current, toFsPath(newBmpPath), cursorSlots(), &saved, &out.failure);
    if (!out.ok()) return out;

    m_currentPath = fromFsPath(saved.bitmap);
    m_modified = false;
    announce(DocChange::Saved | DocChange::Title);
    return {};
}

FileError CVantoroDoc::save()
{
    return saveDocument(m_currentPath);
}

FileError CVantoroDoc::reopenSaved()
{
    if (!m_modified || !isLoaded()) return {};
    // Copy first: openDocument clears the current path when the reopen fails.
    const QString path = m_currentPath;
    return openDocument(path);
}

FileError CVantoroDoc::exportCsv(const QString& path)
{
    if (!isLoaded()) return writeError(Error::NotLoaded, path);
    FileError out = writeError(Error::None, path);
    out.error = calivue::exportCsv(m_image, toFsPath(path), &out.failure);
    return out;
}

}  // namespace calivue
