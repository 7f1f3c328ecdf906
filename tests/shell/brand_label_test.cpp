#include "shell/brand_label.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "tests/shell/test_support.h"

namespace kamerol::shell {
namespace {

class BrandLabelTest : public ::testing::Test {
 protected:
  BrandLabelTest() {
    label.adjustSize();
    label.show();
  }

  QList<QUrl> opened;
  bool opens = true;
  BrandLabel label{nullptr, [this](const QUrl& url) {
                     opened.append(url);
                     return opens;
                   }};
};

TEST_F(BrandLabelTest, LooksLikeALinkWithThePointingHand) {
  EXPECT_EQ(label.text(), QStringLiteral("Kamerol"));
  EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
  EXPECT_TRUE(label.font().underline());
}

TEST_F(BrandLabelTest, ClickOpensTheHomePage) {
  QTest::mouseClick(&label, Qt::LeftButton);
  EXPECT_EQ(opened, QList<QUrl>{QUrl(QStringLiteral("https://github.com/kamerol/kamerol#readme"))});
  QTest::mouseClick(&label, Qt::LeftButton);
  EXPECT_EQ(opened.size(), 2);
}

TEST_F(BrandLabelTest, AFailureToOpenIsReportedOnce) {
  QSignalSpy failed(&label, &BrandLabel::openFailed);
  QTest::mouseClick(&label, Qt::LeftButton);
  EXPECT_EQ(failed.count(), 0);
  opens = false;
  QTest::mouseClick(&label, Qt::LeftButton);
  EXPECT_EQ(failed.count(), 1);
  EXPECT_EQ(opened.size(), 2);
}

TEST_F(BrandLabelTest, OnlyALeftClickOverTheCaptionCounts) {
  QTest::mouseClick(&label, Qt::RightButton);
  QTest::mousePress(&label, Qt::LeftButton);
  QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(label.width() + 20, label.height() + 20));
  EXPECT_TRUE(opened.isEmpty());
}

}  // namespace
}  // namespace kamerol::shell
