// The folder listing of the image selection page, off the user-interface thread: the folder
// (or folder tree) is scanned for snapshots on a worker, then the thumbnails are made on a
// small thread pool, one job per file, each with its own reader. Results come back to the
// owner's thread (as posted events, released there) in listing order, one signal per file, so rows
// and paths can never be misaligned by a job that finishes early or fails.
#pragma once

#include "report/thumbnail.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <map>
#include <memory>

namespace calivue {

class cThumbnailScan : public QObject {
    Q_OBJECT

public:
    explicit cThumbnailScan(QObject* parent = nullptr);
    // Cancels and waits for the jobs still running (they touch nothing of this object).
    ~cThumbnailScan() override;

    // Starts listing `folder` (its tree with `subfolders`); a listing still running is
    // cancelled first and nothing more of it is delivered.
    void start(const QString& folder, bool subfolders);
    // Nothing more is delivered after this returns; finished() follows at once.
    void cancel();
    bool isRunning() const { return m_running; }
    // Runs the caller's event loop until the listing has finished (or was cancelled).
    void waitForFinished();

signals:
    // The folder has been scanned: `total` snapshots will be delivered.
    void listed(int total);
    // The next file in listing order; `image` is null when no thumbnail could be made.
    void delivered(int index, const QString& path, const QImage& image);
    // Enumeration errors met by the scan, as the system words them (may be empty).
    void finished(const QStringList& errors, bool cancelled);

protected:
    // Runs the calls the jobs post (their results) on this object's thread.
    bool event(QEvent* e) override;

private:
    void startJob(std::function<void()> job);
    void onScanned(quint64 generation, const QStringList& paths, const QStringList& errors);
    void onThumbnail(quint64 generation, int index, const QImage& image);
    void finish(bool cancelled);

    QThreadPool m_pool;
    quint64 m_generation = 0;
    std::shared_ptr<std::atomic<quint64>> m_live = std::make_shared<std::atomic<quint64>>(0);
    bool m_running = false;
    QStringList m_paths;
    QStringList m_errors;
    std::map<int, QImage> m_waiting;  // finished out of order, held back
    int m_next = 0;
};

}  // namespace calivue
