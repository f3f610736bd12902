// For the report tests: a fixture with a temporary folder of generated snapshots.
#pragma once

#include "generator.h"
#include "surveyfolder.h"

#include "core/reportproject.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <string>

namespace calivue::test {

class SnapshotFolderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    // A generated snapshot written as NAME.QVX / NAME.BMP; its entry.
    cInspectionImage snapshot(const std::string& name, const gen::SnapshotPlan& plan)
    {
        EXPECT_TRUE(gen::writeSnapshot(folder(), name, plan).ok());
        return {path(QString::fromStdString(name + ".QVX")).toStdU16String(),
                path(QString::fromStdString(name + ".BMP")).toStdU16String(), 0};
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    std::filesystem::path folder() const { return QFile::encodeName(m_dir.path()).toStdString(); }

    QTemporaryDir m_dir;
};

}  // namespace calivue::test
