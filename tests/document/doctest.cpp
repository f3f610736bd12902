#include "doctest.h"

namespace calivue::test {

void DocumentTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    cMessageDlg::setResponder([this](const cMessageDlg& dlg) {
        m_messages.push_back(seenMessage(dlg));
        return m_answer;
    });
    cIRFileDialog::setChooser([this](const cIRFileDialog& dlg) {
        m_dialogs.push_back({dlg.title(), dlg.defaultSuffix(), dlg.initialName(), dlg.nameFilters(),
                             dlg.overwritePrompt()});
        return m_chosen;
    });
}

void DocumentTest::TearDown()
{
    restoreDefaultResponder();
    cIRFileDialog::setChooser({});
}

gen::WrittenFiles DocumentTest::writeSnapshot(const std::string& name,
                                              const gen::SnapshotPlan& plan)
{
    Result<gen::WrittenFiles> written =
        gen::writeSnapshot(QFile::encodeName(m_dir.path()).toStdString(), name, plan);
    EXPECT_TRUE(written.ok()) << describe(written.error());
    return written.ok() ? written.value() : gen::WrittenFiles{};
}

gen::SnapshotPlan DocumentTest::plainPlan(std::uint8_t flagsA, std::uint8_t flagsB) const
{
    gen::SnapshotPlan plan = gen::demoPlan(7);
    plan.cursors.clear();
    plan.voice = false;
    plan.voiceName.clear();
    plan.flagsA = flagsA;
    plan.flagsB = flagsB;
    return plan;
}

gen::WrittenFiles DocumentTest::openGenerated(const std::string& name,
                                              const gen::SnapshotPlan& plan)
{
    gen::WrittenFiles files = writeSnapshot(name, plan);
    EXPECT_TRUE(m_doc.openDocument(qs(files.bmp)));
    EXPECT_TRUE(m_messages.empty());
    return files;
}

QString DocumentTest::path(const std::string& name) const
{
    return m_dir.filePath(QString::fromStdString(name));
}

QString DocumentTest::qs(const std::filesystem::path& p)
{
    return QFile::decodeName(QByteArray::fromStdString(p.native()));
}

std::vector<std::uint8_t> DocumentTest::readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = f.readAll();
    return std::vector<std::uint8_t>(data.begin(), data.end());
}

}  // namespace calivue::test
