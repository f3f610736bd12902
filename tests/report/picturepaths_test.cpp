// Pictures named by a path (the title page's logo, the thumbnails of the image selection page)
// open only regular files: a FIFO of such a name must not block the report or the scan.
#include "report/engine/reportgenerator.h"
#include "report/engine/reporttext.h"
#include "report/thumbnail.h"

#include "platform/pictureloader.h"

#include "core/reportproject.h"

#include <QTemporaryDir>

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace calivue {
namespace {

namespace fs = std::filesystem;

// Runs work on its own thread; false when it has not returned within a generous bound (it is
// blocked in an open). The FIFO is then opened for writing until the stuck reader sees its
// end, so the thread returns and the test can go on.
bool returnsInTime(const std::function<void()>& work, const fs::path& fifo)
{
    std::packaged_task<void()> task(work);
    std::future<void> done = task.get_future();
    std::thread thread(std::move(task));
    const bool inTime = done.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
    while (done.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
        const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
    }
    thread.join();
    return inTime;
}

// Catches a logo or thumbnail path that is opened before its type is checked (a FIFO hangs the
// report, a device streams) or that is called anything but "not a regular file".
TEST(PicturePaths, OnlyRegularFilesAreOpened)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const fs::path root = dir.path().toStdString();
    const fs::path fifo = root / "logo.jpg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((root / "IR_0001.bmp").c_str(), 0600), 0);
    fs::create_directory(root / "folder.jpg");
    const fs::path names[] = {fifo, root / "IR_0001.bmp", root / "folder.jpg", "/dev/zero"};
    for (const fs::path& name : names) {
        SCOPED_TRACE(name.string());
        const QString path = QString::fromStdString(name.string());
        const fs::path blocking = name.filename() == "IR_0001.bmp" ? name : fifo;

        ReportProject project;
        project.title.logoPath = name.u16string();
        QString logoProblem;
        ASSERT_TRUE(returnsInTime([&] { logoProblem = reportJobFromProject(project).logoProblem; },
                                  blocking));
        EXPECT_EQ(logoProblem, path + QStringLiteral(": not a regular file"));

        Error failure = Error::None;
        ASSERT_TRUE(returnsInTime([&] { failure = loadPicture(path).error(); }, blocking));
        EXPECT_EQ(failure, Error::NotRegular);

        Thumbnail thumb;
        ASSERT_TRUE(returnsInTime([&] { thumb = makeThumbnail(path); }, blocking));
        EXPECT_EQ(thumb.failure, Error::NotRegular);
    }
}

}  // namespace
}  // namespace calivue
