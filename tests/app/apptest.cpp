#include "apptest.h"

#include "platform/stringtable.h"

#include <QFile>

namespace calivue::test {

void AppTest::SetUp()
{
    ASSERT_TRUE(m_config.isValid());
    ASSERT_TRUE(m_files.isValid());
    cMessageDlg::setResponder([this](const cMessageDlg& dlg) {
        m_messages.push_back(seenMessage(dlg));
        return m_answer;
    });
}

void AppTest::TearDown()
{
    m_app.reset();
    restoreDefaultResponder();
    StringTable::setActive(StringTable::english());
}

bool AppTest::start(const QStringList& arguments, std::optional<QStringList> moduleDirs,
                    QLocale locale)
{
    AppOptions options;
    options.configRoot = m_config.path();
    options.moduleDirs = std::move(moduleDirs);
    options.locale = locale;
    m_app = std::make_unique<CVantoroApp>(options);
    return m_app->initInstance(arguments, false);
}

gen::WrittenFiles AppTest::writeSnapshot(const std::string& name, const gen::SnapshotPlan& plan)
{
    Result<gen::WrittenFiles> written =
        gen::writeSnapshot(QFile::encodeName(m_files.path()).toStdString(), name, plan);
    EXPECT_TRUE(written.ok()) << describe(written.error());
    return written.ok() ? written.value() : gen::WrittenFiles{};
}

}  // namespace calivue::test
