#include "manager/platform/paths.h"

#include <gtest/gtest.h>

#include <QDir>

namespace veldra::platform {
namespace {

TEST(Paths, NativeFormUsesTheSystemSeparatorBothWays) {
  const QString sep = nativeSeparator();
  EXPECT_EQ(nativeSeparator(), QDir::separator());
  EXPECT_EQ(toNativePath(QStringLiteral("a/b c/d.txt")), "a" + sep + "b c" + sep + "d.txt");
  EXPECT_EQ(fromNativePath("a" + sep + "b c" + sep + "d.txt"), QStringLiteral("a/b c/d.txt"));
}

TEST(Paths, TrailingSeparatorIsAddedOnce) {
  const QString sep = nativeSeparator();
  EXPECT_EQ(withTrailingSeparator(QStringLiteral("/work/veldra")), toNativePath("/work/veldra/"));
  EXPECT_EQ(withTrailingSeparator(QStringLiteral("/work/veldra/")), toNativePath("/work/veldra/"));
  EXPECT_EQ(withTrailingSeparator(QStringLiteral("/")), sep);
}

}  // namespace
}  // namespace veldra::platform
