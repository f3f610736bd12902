#include "doctest.h"

namespace calivue::test {

void DocumentTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    cMessageDlg::setResponder([this](const cMessageDlg& dlg) {
        m_messages.push_back(seenMessage(dlg));
        return m_answer;
    });
}

void DocumentTest::TearDown()
{
    restoreDefaultResponder();
}

gen::WrittenFiles DocumentTest::writeSnapshot(const std::string& name,
                                              const gen::SnapshotPlan& plan)
{
    Result<gen::WrittenFiles> written =
        gen::writeSnapshot(QFile::encodeName(m_dir.path()).toStdString(), name, plan);
    EXPECT_TRUE(written.ok()) << describe(written.error());
    return written.ok() ? written.value() : gen::WrittenFiles{};
}

gen::WrittenFiles DocumentTest::openGenerated(const std::string& name,
                                              const gen::SnapshotPlan& plan)
{
    gen::WrittenFiles files = writeSnapshot(name, plan);
    EXPECT_TRUE(m_commands.open(qs(files.bmp)));
    EXPECT_TRUE(m_messages.empty());
    return files;
}

QString DocumentTest::path(const std::string& name) const
{
    return m_dir.filePath(QString::fromStdString(name));
}

std::vector<std::uint8_t> DocumentTest::readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = f.readAll();
    return std::vector<std::uint8_t>(data.begin(), data.end());
}

}  // namespace calivue::test
