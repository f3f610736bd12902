#include "report/thumbnailscan.h"

#include "platform/fspath.h"

#include "core/folderscan.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QThread>

#include <functional>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

namespace calivue {

namespace {

// The pool and the owner's event queue pass each job and each result between threads through
// locks inside Qt, which ThreadSanitizer cannot see when Qt is not built with it: these mark the
// two hand-overs (owner to job, job to owner) so it checks our own accesses against the real
// order. One token per direction, so jobs are never ordered against each other by them. They
// compile to nothing in other builds.
char toJobs, toOwner;
#if defined(__SANITIZE_THREAD__)
void handOver(char& token)
{
    __tsan_release(&token);
}
void takeOver(char& token)
{
    __tsan_acquire(&token);
}
#else
void handOver(char&) {}
void takeOver(char&) {}
#endif

// A call for the owner's thread, posted by a job. The owner's queue deletes it on that thread
// after the call, so what the call holds (the thumbnail, the paths) is released there, not on a
// job's thread racing the owner.
class OwnerCall : public QEvent {
public:
    static QEvent::Type kind()
    {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    explicit OwnerCall(std::function<void()> call) : QEvent(kind()), m_call(std::move(call)) {}
    void run() { m_call(); }

private:
    std::function<void()> m_call;
};

// Hands a call to the owner's thread.
void postToOwner(QObject* owner, std::function<void()> call)
{
    handOver(toOwner);
    QCoreApplication::postEvent(owner, new OwnerCall(std::move(call)));
}

}  // namespace

cThumbnailScan::cThumbnailScan(QObject* parent) : QObject(parent)
{
    m_pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

cThumbnailScan::~cThumbnailScan()
{
    m_live->store(0);
    m_pool.clear();
    m_pool.waitForDone();
    // The jobs are over; what they posted is deleted with this object, on this thread.
    takeOver(toOwner);
}

void cThumbnailScan::startJob(std::function<void()> job)
{
    // The job is complete, wrapper included, before it is handed over.
    std::function<void()> wrapped = [job = std::move(job)] {
        takeOver(toJobs);
        job();
    };
    handOver(toJobs);
    m_pool.start(std::move(wrapped));
}

bool cThumbnailScan::event(QEvent* e)
{
    if (e->type() != OwnerCall::kind()) return QObject::event(e);
    takeOver(toOwner);
    static_cast<OwnerCall*>(e)->run();
    return true;
}

void cThumbnailScan::start(const QString& folder, bool subfolders)
{
    if (m_running) cancel();
    m_pool.clear();
    m_running = true;
    m_paths.clear();
    m_errors.clear();
    m_waiting.clear();
    m_next = 0;
    const quint64 generation = ++m_generation;
    m_live->store(generation);

    // The destructor waits for every job, so `this` outlives them; what they post to it
    // after it is gone is discarded with it.
    auto* self = this;
    auto live = m_live;
    const auto root = toFsPath(folder);
    startJob([self, live, generation, root, subfolders] {
        if (live->load() != generation) return;
        const ScanResult found = subfolders ? walkFolderTree(root) : scanFolder(root, "bmp");
        QStringList paths, errors;
        for (const auto& p : found.paths) paths << fromFsPath(p);
        for (const auto& e : found.errors) {
            const QString text = QString::fromStdString(e.code.message());
            if (!errors.contains(text)) errors << text;
        }
        postToOwner(self, [self, generation, paths, errors] {
            self->onScanned(generation, paths, errors);
        });
    });
}

void cThumbnailScan::onScanned(quint64 generation, const QStringList& paths,
                               const QStringList& errors)
{
    if (!m_running || generation != m_generation) return;
    m_paths = paths;
    m_errors = errors;
    emit listed(static_cast<int>(m_paths.size()));
    if (!m_running || generation != m_generation) return;  // cancelled from the signal
    if (m_paths.isEmpty()) {
        finish(false);
        return;
    }
    auto* self = this;
    auto live = m_live;
    for (int i = 0; i < m_paths.size(); ++i) {
        const QString path = m_paths[i];
        startJob([self, live, generation, i, path] {
            if (live->load() != generation) return;
            QImage image = makeThumbnail(path).image;
            postToOwner(self, [self, generation, i, image = std::move(image)] {
                self->onThumbnail(generation, i, image);
            });
        });
    }
}

void cThumbnailScan::onThumbnail(quint64 generation, int index, const QImage& image)
{
    if (!m_running || generation != m_generation) return;
    m_waiting.emplace(index, image);
    // Deliver strictly in listing order; a receiver may cancel from inside the signal.
    for (auto it = m_waiting.find(m_next); it != m_waiting.end(); it = m_waiting.find(m_next)) {
        const QImage ready = std::move(it->second);
        m_waiting.erase(it);
        const int i = m_next++;
        emit delivered(i, m_paths[i], ready);
        if (!m_running || generation != m_generation) return;
    }
    if (m_next == m_paths.size()) finish(false);
}

void cThumbnailScan::cancel()
{
    if (!m_running) return;
    m_live->store(0);
    m_pool.clear();
    finish(true);
}

void cThumbnailScan::finish(bool cancelled)
{
    m_running = false;
    ++m_generation;  // whatever is still queued for the old listing is dropped
    m_waiting.clear();
    const QStringList errors = m_errors;
    emit finished(errors, cancelled);
}

void cThumbnailScan::waitForFinished()
{
    if (!m_running) return;
    QEventLoop loop;
    connect(this, &cThumbnailScan::finished, &loop, &QEventLoop::quit);
    if (m_running) loop.exec();
}

}  // namespace calivue
