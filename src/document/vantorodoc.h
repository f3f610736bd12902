// CVantoroDoc: the one open snapshot and the analysis state that the views and
// option pages share, plus the handlers of the document's menu commands.
//
// The document sits below the view layer: it never touches a display object. It
// changes the image (cBrixa) and its own state, then announces what changed once,
// as a set of DocChange values (changed); the same announcement sets its two change
// flags, which the view's redraw timer polls to coalesce repaints. It never asks the user
// anything: its file operations return a FileError with the context of the message, and the
// command layer above it (cSnapshotCommands) asks the questions and shows the messages.
#pragma once

#include "document/docchange.h"

#include "core/brixa.h"
#include "core/cursorlist.h"
#include "core/displaystate.h"
#include "platform/errortext.h"
#include "platform/settingsstore.h"

#include <QObject>
#include <QRect>
#include <QString>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

namespace calivue {

// One entry of the marker list: 0–9 measurement cursors, 10 coldest, 11 hottest.
struct Marker {
    bool inUse = false;
    bool shown = false;
    QString name;  // label text: "C1" … "C10", then the table's "Cold" and "Hot"
    int x = 0;
    int row = 0;  // image-array row (239 − picture y)
    float temperature = 0;
    std::uint8_t emissivity = 100;  // hundredths
};

// The two profile lines: a row with its first and last column, and a column with
// its first and last row, in image pixels (rows are image-array rows).
struct ProfileState {
    int row = 120;  // horizontal line
    int rowFirst = 0, rowLast = 319;
    int column = 160;  // vertical line
    int columnFirst = 0, columnLast = 239;
};

class CVantoroDoc : public QObject {
    Q_OBJECT

public:
    // Outcome of a double-click on the picture (toggleCursorAt).
    enum class CursorToggle { Added, Removed, Full, Refused };

    // The document reads and writes its settings (the report-details flag) through
    // the application's store, so a program started on another configuration root
    // never touches the user's own. The store is a location, copied here.
    explicit CVantoroDoc(const SettingsStore& settings, QObject* parent = nullptr);
    // The user's own configuration folder (tests and tools without an application).
    explicit CVantoroDoc(QObject* parent = nullptr);
    ~CVantoroDoc() override;

    // --- files ---------------------------------------------------------------
    // Opens a snapshot by its .bmp (or .qvx, any case) path. On failure the document is
    // left without an image and the error names the file of the set that failed (the
    // record when the bitmap is there without it) for "Error opening file". A short record
    // opens; image().isIncomplete() then says some readings are not measured.
    FileError openDocument(const QString& path);
    // Saves under newBmpPath through the safe save. On failure nothing is copied or changed
    // in the document, and the error (for "Error saving file") names the file of the set
    // that could not be written and why; NotLoaded without an image.
    FileError saveDocument(const QString& newBmpPath);
    // The snapshot under its current path.
    FileError save();
    // Drops the changes by reopening the saved snapshot; nothing to do (success) when
    // unmodified. A reopen that fails leaves the document empty, as a failed open does.
    FileError reopenSaved();
    // Writes the temperature table to path; the earlier file is kept whole on failure.
    FileError exportCsv(const QString& path);

    bool isLoaded() const;  // a snapshot with a decoded record is open
    bool isModified() const { return m_modified; }
    void setModified(bool modified);
    const QString& currentPath() const { return m_currentPath; }
    // The file name of the current .bmp path, empty without one.
    QString displayName() const;
    // "<name>* - <app>" / "<name> - <app>" / "<app>".
    QString windowTitle(const QString& applicationTitle) const;

    cBrixa& image() { return m_image; }
    const cBrixa& image() const { return m_image; }

    // --- markers and change flags ------------------------------------------------
    std::array<Marker, kMarkerCount>& markers() { return m_markers; }
    const std::array<Marker, kMarkerCount>& markers() const { return m_markers; }
    // The measurement cursors as the file layer folds them into the record.
    CursorSlots cursorSlots() const;
    // The change flags the announcements set (kImageChanges, kOverlayChanges); read and
    // cleared in one step by the view's redraw timer, set by nobody else.
    std::uint32_t takeImageChanged() { return m_imageChanged.exchange(0); }
    std::uint32_t takeOverlayChanged() { return m_overlayChanged.exchange(0); }

    // Double-click on the picture at (x, array row): switches the cursors on, then
    // removes the cursor standing exactly there or places a new one with the image
    // emissivity. Full when all ten are in use (the caller shows the message);
    // Refused outside the picture or without an image. Modifies unless Full/Refused.
    CursorToggle toggleCursorAt(int x, int row);
    // Moves measurement cursor index (0–9, in use) to (x, array row); modifies.
    bool moveCursor(int index, int x, int row);
    // Takes measurement cursor index (0–9) out of use; modifies when it was in use.
    void removeCursor(int index);
    // Emissivity of cursor index in hundredths (1–100); false and nothing changed
    // outside that range. Modifies when the value changed.
    bool setCursorEmissivity(int index, int hundredths);
    // After marker entries were edited directly: temperatures refreshed, Markers and
    // Readings announced. Does not mark modified.
    void notifyMarkersChanged();

    // --- analysis state ----------------------------------------------------------
    // How the snapshot is shown: the one value the displays read when they draw. Every
    // setter below changes it and writes it back to the record (writeDisplayState), so a
    // save keeps what is on screen.
    const DisplayState& displayState() const { return m_shown; }
    int spanLow() const { return m_shown.spanLow; }
    int spanHigh() const { return m_shown.spanHigh; }
    int palette() const { return m_shown.palette; }
    int interpolation() const { return m_interpolation; }
    int zoom() const { return m_zoom; }
    // The zoom window: left, top (image-array row), width, height in image pixels.
    const QRect& viewRect() const { return m_viewRect; }
    unsigned isothermFlags() const { return m_shown.isothermFlags; }
    // The area box's size, kept while area select is off.
    int areaMode() const { return m_areaMode; }
    bool areaSelectOn() const { return m_shown.areaMode >= 0; }
    bool cursorsShown() const { return m_shown.cursorsShown; }
    bool cursorTemperaturesShown() const { return m_shown.cursorTemps; }
    bool hotColdShown() const { return m_shown.coldestShown && m_shown.hottestShown; }
    bool profilesShown() const { return m_shown.profiles; }
    int orientation() const { return m_shown.orientation; }
    int blend() const { return m_shown.blendMode; }
    ProfileState& profiles() { return m_profiles; }
    const ProfileState& profiles() const { return m_profiles; }

    // Setters of the option pages and display objects. Each announces itself even
    // when the value is unchanged (pages rely on that to restore their controls);
    // those that modify mark the document modified only on a real change.
    void setSpan(int low, int high);  // modifies
    void setPalette(int n);           // outside 0–7 becomes 1; modifies
    void setInterpolation(int f);     // limited to 1–8
    // Zoom 1–4: the zoom window keeps its centre and is shifted back inside the image.
    void setZoom(int zoom);
    void setBlend(int mode);     // modifies
    void setOrientation(int o);  // 0–3; modifies (record byte 95)
    void setIsotherms(unsigned flags, int blueLower, int blueUpper, int redLower,
                      int redUpper);  // modifies
    void setAreaMode(int m);          // modifies when it changes
    void setViewRect(const QRect& rect);
    void setCursorsShown(bool shown);  // modifies
    // The view's profile switch; the record follows, the document is not marked modified.
    void setProfilesShown(bool shown);
    // Unit 0 °C, 1 °F, 2 K (anything above 1 counts as 2); modifies when it changes.
    void setUnit(TempUnit unit);
    void refreshMarkerTemperatures();
    // Measurement parameters and details of the record, from the settings page. Each
    // stores the value, announces it (temperatures refreshed and Measurements for the
    // first two, Details for the others) and modifies on a real change.
    void setReflected(int raw);               // reflected temperature, raw counts
    void setImageEmissivity(int hundredths);  // 1–100; anything else is ignored
    void setCaptureTime(int hour, int minute, int second);
    void setCaptureDate(int day, int month, int year);
    void setComments(const std::array<std::uint8_t, 256>& bytes);  // Latin-1, zero-padded
    // Moves a profile line and announces Profiles.
    void setProfileRow(int row);
    void setProfileColumn(int column);

    // Selected point of the status bar read-out; x and array row.
    void setSelectedPoint(int x, int row);
    void clearSelectedPoint();
    bool selectedPoint(int& x, int& row) const;
    // (valid, temperature at the selected point with the image emissivity); valid
    // only with an image and a point inside the picture.
    std::pair<bool, float> selectedPointTemperature() const;
    // Valid only when both isotherms are on: red band middle minus blue band middle.
    std::pair<bool, float> isothermDifference() const;

    bool nudgeAlignment(bool horizontal, int direction);  // modifies when it moved
    void resetAlignment();                                // modifies when it moved

    // --- menu commands -------------------------------------------------------------
    void toggleCursors();
    void toggleBlueIsotherm();
    void toggleRedIsotherm();
    void toggleHotCold();
    void toggleAreaSelect();
    void toggleCursorTemperature();
    // Profiles on or off: display flags A bits 4 and 5 together; modifies.
    void toggleProfiles();
    void resetIsotherms();
    // The report writer's "keep details" setting, mirrored here. The setter writes it to the
    // settings store first and changes nothing when that fails (the store's error returned).
    bool persistReportDetails() const { return m_persistReportDetails; }
    std::optional<SettingsError> setPersistReportDetails(bool persist);

    // Revert has something to undo.
    bool revertEnabled() const { return isLoaded() && m_modified; }
    // Save and Save As have a snapshot to write.
    bool saveEnabled() const { return isLoaded(); }

signals:
    // The one announcement of every change: what the call changed, once per call.
    void changed(calivue::DocChanges what);

private:
    void afterLoad();
    void clear();
    void resetMarkers();
    // Writes the display state back to the record's fields.
    void storeShown() { writeDisplayState(m_shown, m_image); }
    void updateAreaStatistics();
    void markersTouched(DocChanges also = {});
    // Marks a loaded document modified; Title when that changed the modified mark.
    DocChanges modify();
    // Sets the change flags the set implies, then emits changed(what).
    void announce(DocChanges what);
    // Stores the zoom window (moved inside the picture) and its area statistics.
    void placeViewRect(const QRect& rect);
    bool imageLoaded() const { return m_image.hasImage() != nullptr; }

    cBrixa m_image;
    std::array<Marker, kMarkerCount> m_markers;
    QString m_currentPath;
    SettingsStore m_settings;
    bool m_loadSuccess = false;
    bool m_modified = false;
    bool m_persistReportDetails = false;
    std::atomic<std::uint32_t> m_imageChanged{0};
    std::atomic<std::uint32_t> m_overlayChanged{0};
    int m_interpolation = 1;
    int m_zoom = 1;
    QRect m_viewRect{0, 0, kWidth, kHeight};
    int m_areaMode = 1;
    DisplayState m_shown;
    ProfileState m_profiles;
    bool m_selectedValid = false;
    int m_selectedX = 0, m_selectedRow = 0;
};

}  // namespace calivue
