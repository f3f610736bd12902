// The frame's central widget until the image view with its six panels takes over: a scrolling
// area showing the document's thermal picture in one object viewer, kept in step with the
// document the way the view's redraw timer does it (change flags read every 50 ms).
#pragma once

#include <QScrollArea>

#include <memory>

class QTimer;

namespace calivue {

class CVantoroDoc;
class cArrayDisplay;
class cObjectViewer;

class cPicturePane : public QScrollArea {
    Q_OBJECT

public:
    // `doc` must outlive the pane.
    explicit cPicturePane(CVantoroDoc& doc, QWidget* parent = nullptr);
    ~cPicturePane() override;

    cObjectViewer* viewer() const { return m_viewer; }
    cArrayDisplay* display() const { return m_display.get(); }

    // Reads and clears the document's change flags and repaints what they name.
    void redrawTick();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void resync();
    void layoutViewer();

    CVantoroDoc& m_doc;
    std::unique_ptr<cArrayDisplay> m_display;  // outlives the viewer, which never owns it
    cObjectViewer* m_viewer = nullptr;
    QTimer* m_timer = nullptr;
};

}  // namespace calivue
