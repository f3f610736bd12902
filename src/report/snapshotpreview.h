// The preview area of the image selection page: one snapshot as thermal picture, blend and
// visual photograph in three 213 × 160 panes. The snapshot is loaded when it is chosen, not
// at every paint; a snapshot that does not load leaves the area blank.
#pragma once

#include "report/engine/snapshotstrip.h"

#include <QString>
#include <QWidget>

#include <memory>

namespace calivue {

class cSnapshotPreview : public QWidget {
    Q_OBJECT

public:
    static constexpr int kPaneWidth = 213, kPaneHeight = 160;

    explicit cSnapshotPreview(QWidget* parent = nullptr);
    ~cSnapshotPreview() override;

    // Both paths empty clears the preview.
    void setSnapshot(const QString& bitmapPath, const QString& snapshotPath);
    QString bitmapPath() const { return m_bitmapPath; }
    QString snapshotPath() const { return m_snapshotPath; }
    bool hasSnapshot() const { return m_snapshot != nullptr; }
    // The snapshot as loaded (null when none), for callers that change what it shows;
    // update() the widget afterwards.
    ReportSnapshot* loadedSnapshot() { return m_snapshot.get(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_bitmapPath, m_snapshotPath;
    std::unique_ptr<ReportSnapshot> m_snapshot;  // null when nothing loaded
};

}  // namespace calivue
