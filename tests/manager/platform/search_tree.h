// The fixture of the disk search tests: a temporary folder tree and a search over it.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>
#include <string>
#include <vector>

#include "manager/platform/disk_search.h"

namespace veldra::platform {

using Folders = std::vector<std::string>;

// A temporary folder tree. Entries ending in '/' are folders, the others empty files.
class DiskSearchTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(tree_.isValid()); }

  QString root() const { return tree_.path(); }
  QString at(const QString& relative) const { return root() + QLatin1Char('/') + relative; }

  void make(const std::vector<std::string>& entries) const {
    for (const std::string& entry : entries) {
      const QString path = at(QString::fromStdString(entry));
      if (path.endsWith(QLatin1Char('/'))) {
        ASSERT_TRUE(QDir().mkpath(path)) << entry;
      } else {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path())) << entry;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << entry;
      }
    }
  }

  // The search from root() with the reported folders recorded relative to root().
  struct Run {
    DiskSearchResult result;
    std::vector<std::string> reported;
  };
  Run search(const QString& fileName = QStringLiteral("ansys.lnk"),
             const std::function<bool(const std::string&)>& onReport = {}) const {
    Run run;
    const QString prefix = QDir::toNativeSeparators(root()) + QDir::separator();
    run.result = searchDisk(root(), fileName, [&](const QString& folder) {
      EXPECT_TRUE(folder.startsWith(prefix)) << folder.toStdString();
      run.reported.push_back(QDir::fromNativeSeparators(folder.mid(prefix.size())).toStdString());
      // A walk that follows a loop never ends; this keeps such a fault from hanging the test.
      if (run.reported.size() > 1000) {
        ADD_FAILURE() << "the search does not end";
        return false;
      }
      return onReport ? onReport(run.reported.back()) : true;
    });
    return run;
  }

  std::string relativeHit(const DiskSearchResult& result) const {
    if (result.path.isEmpty()) return {};
    const QString prefix = QDir::toNativeSeparators(root()) + QDir::separator();
    EXPECT_TRUE(result.path.startsWith(prefix)) << result.path.toStdString();
    return QDir::fromNativeSeparators(result.path.mid(prefix.size())).toStdString();
  }

 private:
  QTemporaryDir tree_;
};

}  // namespace veldra::platform
