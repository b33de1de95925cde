#include "manager/platform/disk_search.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <ostream>
#include <string>
#include <vector>

#include "search_tree.h"

namespace veldra::platform {
namespace {

TEST_F(DiskSearchTest, WalksLevelByLevelWithEntriesInNameOrder) {
  // Upper-case order: "_" (0x5F) comes after the letters; "A" before "a" only as a tie break.
  make({"b/", "a/2/", "a/1/", "A/q/", "_z/", "Z/", "notes.txt", "a/1/deep/"});
  const Run run = search();
  EXPECT_EQ(run.reported, (Folders{"A", "a", "b", "Z", "_z", "A/q", "a/1", "a/2", "a/1/deep"}));
  EXPECT_TRUE(run.result.path.isEmpty());
  EXPECT_FALSE(run.result.cancelled);
}

TEST_F(DiskSearchTest, HitIsFolderSeparatorAndNameWithNoDoubledSeparator) {
  make({"a/b/ansys.lnk"});
  const QString rootWithSeparator = QDir::toNativeSeparators(root()) + QDir::separator();
  const DiskSearchResult result = searchDisk(rootWithSeparator, QStringLiteral("ansys.lnk"), {});
  EXPECT_EQ(result.path.toStdString(),
            QDir::toNativeSeparators(at(QStringLiteral("a/b"))).toStdString() +
                QDir::separator().toLatin1() + "ansys.lnk");
  EXPECT_FALSE(result.cancelled);
}

struct HitCase {
  const char* name;
  std::vector<std::string> tree;
  const char* fileName;
  std::string hit;  // relative to the root, empty for none
  Folders reported;
};

void PrintTo(const HitCase& testCase, std::ostream* out) {
  *out << testCase.name;
}

class DiskSearchHitTest : public DiskSearchTest, public ::testing::WithParamInterface<HitCase> {};

TEST_P(DiskSearchHitTest, FindsTheFirstHitInWalkOrderAndStopsThere) {
  make(GetParam().tree);
  const Run run = search(QString::fromLatin1(GetParam().fileName));
  EXPECT_EQ(relativeHit(run.result), GetParam().hit);
  EXPECT_EQ(run.reported, GetParam().reported);
  EXPECT_FALSE(run.result.cancelled);
}

INSTANTIATE_TEST_SUITE_P(
    Trees,
    DiskSearchHitTest,
    ::testing::Values(
        HitCase{"HitOnLevelOneEndsBeforeLaterSiblings",
                {"a/", "b/ansys.lnk", "c/"},
                "ansys.lnk",
                "b/ansys.lnk",
                {"a", "b"}},
        HitCase{"ShallowerLevelWinsOverEarlierBranch",
                {"a/x/y/ansys.lnk", "b/z/ansys.lnk"},
                "ansys.lnk",
                "b/z/ansys.lnk",
                {"a", "b", "a/x", "b/z"}},
        HitCase{"FirstFolderInOrderWinsOnOneLevel",
                {"b/ansys.lnk", "a/ansys.lnk"},
                "ansys.lnk",
                "a/ansys.lnk",
                {"a"}},
        HitCase{"FileInTheRootItselfIsNotTested", {"ansys.lnk", "a/"}, "ansys.lnk", "", {"a"}},
        HitCase{"FolderOfThatNameIsNoHit",
                {"a/ansys.lnk/", "b/"},
                "ansys.lnk",
                "",
                {"a", "b", "a/ansys.lnk"}},
        HitCase{"SearchedNameIsAParameter",
                {"a/ansys.lnk", "b/processador.exe"},
                "processador.exe",
                "b/processador.exe",
                {"a", "b"}},
        HitCase{"EndsWhenALevelAddsNoFolder",
                {"a/b/c/file.txt", "d.txt"},
                "ansys.lnk",
                "",
                {"a", "a/b", "a/b/c"}}),
    [](const ::testing::TestParamInfo<HitCase>& testCase) {
      return std::string(testCase.param.name);
    });

TEST_F(DiskSearchTest, SymbolicLinksAreNeitherFollowedNorReported) {
  QTemporaryDir outside;
  ASSERT_TRUE(outside.isValid());
  QFile shortcut(outside.path() + QStringLiteral("/ansys.lnk"));
  ASSERT_TRUE(shortcut.open(QIODevice::WriteOnly));
  make({"a/"});
  ASSERT_TRUE(QFile::link(root(), at(QStringLiteral("a/loop"))));             // back to an ancestor
  ASSERT_TRUE(QFile::link(QStringLiteral("."), at(QStringLiteral("self"))));  // to itself
  ASSERT_TRUE(QFile::link(outside.path(), at(QStringLiteral("elsewhere"))));  // holds a hit

  const Run run = search();
  EXPECT_EQ(run.reported, Folders{"a"});
  EXPECT_TRUE(run.result.path.isEmpty());
  EXPECT_FALSE(run.result.cancelled);
}

TEST_F(DiskSearchTest, CancelFromTheCallbackStopsAtOnce) {
  make({"a/", "b/", "c/ansys.lnk"});
  for (const std::string& stopAt : {std::string("a"), std::string("b")}) {
    const Run run = search(QStringLiteral("ansys.lnk"),
                           [&](const std::string& folder) { return folder != stopAt; });
    EXPECT_TRUE(run.result.cancelled) << stopAt;
    EXPECT_TRUE(run.result.path.isEmpty()) << stopAt;
    EXPECT_EQ(run.reported.back(), stopAt);
  }
}

TEST_F(DiskSearchTest, FolderRemovedBeforeItIsListedIsSkipped) {
  make({"a/x/ansys.lnk", "b/y/ansys.lnk"});
  const Run run = search(QStringLiteral("ansys.lnk"), [&](const std::string& folder) {
    if (folder == "a") {
      EXPECT_TRUE(QDir(at(QStringLiteral("a"))).removeRecursively());
    }
    return true;
  });
  EXPECT_EQ(relativeHit(run.result), "b/y/ansys.lnk");
  EXPECT_EQ(run.reported, (Folders{"a", "b", "b/y"}));
}

}  // namespace
}  // namespace veldra::platform
