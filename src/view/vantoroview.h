// CVantoroView: the scrolling image view of the main window. It hosts the document's display
// objects in six object viewers laid out around the thermal picture, the docked or floating
// options sheet, and the report writer's sheet; it turns the document's announcements (and
// the change flags they set, polled by its redraw timer) into repaints, switches between analysis
// and report-writer mode, and copies the window, the picture, or the picture with its colour bar to
// the clipboard or a bitmap file.
#pragma once

#include "document/docchange.h"
#include "view/viewcommands.h"
#include "view/viewlayout.h"
#include "view/viewsheets.h"

#include <QPointer>
#include <QScrollArea>

#include <array>
#include <memory>
#include <optional>

class QImage;
class QMenu;
class QTimer;

namespace calivue {

class CVantoroDoc;
class cDisplaySet;
class cObjectViewer;
struct FileFailure;

class CVantoroView : public QScrollArea, public ViewCommands {
    Q_OBJECT

public:
    // The viewers in the order the display objects are taken from the document.
    enum Viewer {
        ImageViewer,
        ColourBarViewer,
        SpanViewer,
        CursorListViewer,
        LowerProfileViewer,
        SideProfileViewer,
        ViewerCount
    };
    static constexpr int kViewerId = 1001;
    static constexpr int kRedrawMs = 50;

    // `doc` must outlive the view. The factories build the options sheet and the report sheet;
    // an empty factory means that sheet does not exist (the options then take no room).
    CVantoroView(CVantoroDoc& doc, ViewSheetFactory optionsFactory = {},
                 ViewSheetFactory reportFactory = {}, QWidget* parent = nullptr);
    ~CVantoroView() override;

    // ViewCommands
    QWidget* widget() override { return this; }
    bool cursorListShown() const override { return m_cursorListShown; }
    void toggleCursorList() override;
    bool optionsShown() const override;
    void toggleOptions() override;
    bool optionsDocked() const override { return m_optionsDocked; }
    void toggleOptionsDocked() override;
    bool profilesShown() const override { return m_profilesShown; }
    void toggleProfiles() override;
    bool reportMode() const override { return m_reportMode; }
    void toggleReportWriter() override;
    void copyToClipboard() override;
    void copyToBitmap() override;
    void clearView() override;

    // After a load: the profile flag follows the document; the two viewers and the layout too.
    void SetProfilesShown(bool on);

    // The first-time set-up (viewers, sheets) and, every time, layout, timer and scroll sizes.
    void OnInitialUpdate();
    // Places the viewers and the docked options sheet for the current client size.
    void RecalcLayout();
    // Shows and hides viewers and sheets for the mode and the visibility flags.
    void ApplyVisibility();
    // One tick of the redraw timer: reads and clears the document's change flags.
    void redrawTick();
    // The document's announcement: layout, visibility and the viewers it concerns.
    void onChanged(DocChanges what);

    // The pixels of a copy region, exactly as they are on screen. Empty when the region does
    // not exist (no image viewer yet).
    QImage grabRegion(int region) const;
    // Writes image as a 24-bit bitmap file; false on failure (an earlier file is kept),
    // with failure (when given) naming the file and the reason.
    static bool writeBitmapFile(const QString& path, const QImage& image,
                                FileFailure* failure = nullptr);

    cObjectViewer* viewer(Viewer which) const { return m_viewers[which]; }
    cDisplaySet& displays() { return *m_displays; }
    QWidget* canvas() const { return m_canvas; }
    QWidget* optionsSheet() const { return m_options.data(); }
    QWidget* reportSheet() const { return m_report.data(); }
    const EdgeRect& optionsRect() const { return m_optionsRect; }
    bool initialised() const { return m_initialised; }
    QSize scrollSizes() const;
    // The picture's context menu for content point p of the image viewer: add or remove a
    // cursor there, the frame's hot/cold, area-select and copy commands (when the window has
    // them), zoom in and out around p. The caller owns the menu.
    QMenu* pictureMenu(QPoint p);
    // Ctrl + "+" / "-": zoom around the pointer when it is over the picture, else its centre.
    void zoomStep(int steps);

    // The rectangles the layout rule gives for the current client size and flags.
    ViewLayout currentLayout() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createViewers();
    void installPictureMenu();
    void buildOptionsSheet();
    void addDockCommand(QWidget* sheet);
    void buildReportSheet();
    void destroyOptionsSheet();
    void updateCanvasSize();
    void copyRegion(bool toFile);
    void invalidate(Viewer which);
    cViewSheet* reportPages() const;

    CVantoroDoc& m_doc;
    ViewSheetFactory m_optionsFactory;
    ViewSheetFactory m_reportFactory;
    std::unique_ptr<cDisplaySet> m_displays;
    QWidget* m_canvas = nullptr;
    std::array<cObjectViewer*, ViewerCount> m_viewers{};
    QPointer<QWidget> m_options;
    QPointer<QWidget> m_report;
    EdgeRect m_optionsRect;
    QTimer* m_timer = nullptr;
    bool m_initialised = false;
    bool m_viewersCreated = false;
    bool m_profilesShown = true;
    bool m_cursorListShown = true;
    bool m_optionsShown = true;
    bool m_optionsDocked = true;
    bool m_scrollSizesSet = false;
    bool m_reportMode = false;
};

}  // namespace calivue
