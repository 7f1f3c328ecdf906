#include "shell/program_look.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QImage>
#include <QMainWindow>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolBar>

#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <ostream>

#include "shell/deferred_icon.h"
#include "shell/program_icon.h"

namespace kamerol::shell {
namespace {

QIcon redSquare() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::red);
  return QIcon(pixmap);
}

TEST(DeferredIconTest, MadeOnlyWhenFirstNeededAndOnce) {
  int made = 0;
  const QIcon icon = deferredIcon([&made] {
    ++made;
    return redSquare();
  });
  QIcon copy = icon;
  EXPECT_EQ(made, 0);
  EXPECT_EQ(icon.pixmap(16).toImage().pixelColor(8, 8), QColor(Qt::red));
  EXPECT_EQ(made, 1);
  EXPECT_EQ(copy.availableSizes(), QList<QSize>{QSize(16, 16)});
  EXPECT_EQ(copy.actualSize(QSize(32, 32)), QSize(16, 16));
  EXPECT_FALSE(copy.isNull());
  EXPECT_EQ(made, 1);
}

TEST(DeferredIconTest, ChangingACopyLeavesTheOriginal) {
  int made = 0;
  const QIcon icon = deferredIcon([&made] {
    ++made;
    return redSquare();
  });
  icon.pixmap(16);
  QIcon copy = icon;
  QPixmap blue(32, 32);
  blue.fill(Qt::blue);
  copy.addPixmap(blue);  // detaches: the copy's engine is a clone
  EXPECT_EQ(copy.availableSizes().size(), 2);
  EXPECT_EQ(icon.availableSizes().size(), 1);
  EXPECT_EQ(made, 1);
}

TEST(DeferredIconTest, AnEmptyIconStaysEmpty) {
  const QIcon icon = deferredIcon([] { return QIcon(); });
  EXPECT_TRUE(icon.isNull());
  EXPECT_TRUE(icon.pixmap(16).isNull());
}

TEST(DeferredIconTest, ScaledPixmapsKeepTheirDeviceRatio) {
  const QIcon icon = deferredIcon([] {
    QIcon made = redSquare();
    QPixmap big(32, 32);
    big.fill(Qt::green);
    made.addPixmap(big);
    return made;
  });
  const QPixmap pixmap = icon.pixmap(QSize(16, 16), 2.0);
  EXPECT_EQ(pixmap.size(), QSize(32, 32));
  EXPECT_EQ(pixmap.devicePixelRatio(), 2.0);
  EXPECT_EQ(pixmap.toImage().pixelColor(4, 4), QColor(Qt::green));
}

// The bitmaps the build renders as raw pixels: each at every size, and drawn.
TEST(ProgramIconTest, BitmapsHaveEverySizeAndAreDrawn) {
  const auto check = [](const QIcon& icon, const QList<int>& sizes) {
    QList<QSize> expected;
    for (const int size : sizes) expected << QSize(size, size);
    EXPECT_EQ(icon.availableSizes(), expected);
    for (const int size : sizes) {
      const QImage image = icon.pixmap(QSize(size, size), 1.0).toImage();
      int opaque = 0;
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) == 255;
      EXPECT_GT(opaque, size) << "at " << size << " pixels";
    }
  };
  for (const char* name : {"toolbar/new", "toolbar/open", "toolbar/save", "toolbar/print", "toolbar/help"}) {
    SCOPED_TRACE(name);
    check(bitmapIcon(QString::fromLatin1(name)), {16, 32});
  }
  SCOPED_TRACE("window");
  check(kamerolWindowIcon(), {16, 24, 32, 48, 64, 128});
}

class ProgramStyleTest : public testing::Test {
 protected:
  ProgramStyle style;
  std::unique_ptr<QStyle> fusion{QStyleFactory::create(QStringLiteral("Fusion"))};
};

TEST_F(ProgramStyleTest, StandardIconsAreFusions) {
  QStyleOption plain;
  plain.direction = Qt::LeftToRight;
  for (const QStyle::StandardPixmap which : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_DialogSaveButton,
                                             QStyle::SP_DirIcon, QStyle::SP_MessageBoxQuestion}) {
    for (const QStyleOption* option : std::initializer_list<const QStyleOption*>{nullptr, &plain}) {
      SCOPED_TRACE(testing::Message() << "standard pixmap " << which << (option ? " with an option" : ""));
      const QIcon ours = style.standardIcon(which, option);
      const QIcon theirs = fusion->standardIcon(which, option);
      EXPECT_EQ(ours.availableSizes(), theirs.availableSizes());
      EXPECT_EQ(ours.pixmap(16).toImage(), theirs.pixmap(16).toImage());
    }
  }
}

// A group box drawn by each style, on the window colour.
QImage drawn(QStyle& style, QGroupBox& box) {
  box.setStyle(&style);
  QImage image(box.size(), QImage::Format_RGB32);
  image.fill(box.palette().color(QPalette::Window));
  box.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
  return image;
}

struct FrameCase {
  const char* title;
  bool checkable;
  friend void PrintTo(const FrameCase& c, std::ostream* out) {
    *out << '"' << c.title << '"' << (c.checkable ? ", checkable" : "");
  }
};

class GroupBoxFrameTest : public ProgramStyleTest, public testing::WithParamInterface<FrameCase> {};

// Fusion draws the frame from an image; ours draws it with lines. They must look
// the same but for the rounding of the corners (which Fusion shades a little
// differently on each platform): at most five pixels at each, none elsewhere.
TEST_P(GroupBoxFrameTest, LooksLikeFusions) {
  QGroupBox box(QString::fromUtf8(GetParam().title));
  box.setCheckable(GetParam().checkable);
  box.resize(200, 120);
  const QImage ours = drawn(style, box);
  const QImage theirs = drawn(*fusion, box);
  int atCorners = 0, elsewhere = 0;
  for (int y = 0; y < ours.height(); ++y)
    for (int x = 0; x < ours.width(); ++x) {
      const QColor a = ours.pixelColor(x, y), b = theirs.pixelColor(x, y);
      if (std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) > 12)
        ++(x < 5 || x >= ours.width() - 5 ? atCorners : elsewhere);
    }
  EXPECT_LE(atCorners, 20);
  EXPECT_EQ(elsewhere, 0);
  // And there is a frame at all: its left edge darkens the window colour.
  EXPECT_LT(ours.pixelColor(1, ours.height() / 2).lightness(), theirs.pixelColor(0, ours.height() / 2).lightness());
}

INSTANTIATE_TEST_SUITE_P(Frames, GroupBoxFrameTest,
                         testing::Values(FrameCase{"", false}, FrameCase{"Размер камеры", false},
                                         FrameCase{"Размер камеры", true}));

// Fusion's tool bar, drawn in strips across it: the same pixels.
TEST_F(ProgramStyleTest, ToolBarIsFusions) {
  QMainWindow window;
  QToolBar* bar = window.addToolBar(QStringLiteral("Панель"));
  bar->addAction(QStringLiteral("Открыть"));
  const auto drawnBar = [bar](QStyle& style) {
    bar->setStyle(&style);
    bar->setGeometry(0, 0, 300, 40);
    QImage image(bar->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    bar->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
  };
  EXPECT_EQ(drawnBar(style), drawnBar(*fusion));
}

}  // namespace
}  // namespace kamerol::shell
