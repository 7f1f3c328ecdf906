#include "shell/about_box.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "core/version.h"
#include "shell/form_link.h"
#include "shell/program_icon.h"
#include "tests/shell/test_support.h"

namespace kamerol::shell {
namespace {

QString labelText(const QWidget* window, const char* name) {
  const auto* label = window->findChild<QLabel*>(QLatin1String(name));
  return label != nullptr ? label->text() : QStringLiteral("<missing>");
}

TEST(ProgramIconTest, RendersAtTheSizesTheDesktopsUse) {
  const QIcon icon = kamerolIcon();
  ASSERT_FALSE(icon.isNull());
  for (const int size : {16, 32, 256}) {
    const QImage image = icon.pixmap(QSize(size, size), 1.0).toImage();
    ASSERT_EQ(image.size(), QSize(size, size));
    EXPECT_NE(image.pixelColor(size / 2, size / 2).alpha(), 0) << "the middle is drawn at " << size;
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << "the corners are transparent at " << size;
  }
}

class AboutBoxTest : public ::testing::Test {
 protected:
  FakeForm form;
  QPointer<AboutBox> box = AboutBox::open(&form);
};

TEST_F(AboutBoxTest, ShowsNameVersionPurposeLicenceAndIcon) {
  EXPECT_EQ(box->windowTitle(), QStringLiteral("О программе Kamerol"));
  EXPECT_EQ(labelText(box, "titleLabel"), QStringLiteral("Kamerol"));
  EXPECT_EQ(labelText(box, "versionLabel"), QStringLiteral("Версия ") + QLatin1String(kVersion));
  EXPECT_EQ(labelText(box, "descriptionLabel"),
            QStringLiteral("Программа предназначена для теплового расчета холодильных камер. В результате расчета "
                           "определяется мощность (холодопроизводительность) агрегата."));
  EXPECT_EQ(labelText(box, "licenceLabel"), QStringLiteral("Лицензия: GNU GPL версии 3 или более поздней"));
  const auto* icon = box->findChild<QLabel*>(QStringLiteral("iconLabel"));
  ASSERT_NE(icon, nullptr);
  EXPECT_FALSE(icon->pixmap().isNull());
  const auto* ok = box->findChild<QPushButton*>(QStringLiteral("cmdOK"));
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text(), QStringLiteral("OK"));
  EXPECT_FALSE(box->isModal());
}

TEST_F(AboutBoxTest, FormIsDisabledUntilOk) {
  EXPECT_FALSE(form.isEnabled());
  EXPECT_TRUE(box->isEnabled());
  box->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
  EXPECT_TRUE(form.isEnabled());
  EXPECT_TRUE(QTest::qWaitFor([this] { return box.isNull(); }));
}

TEST_F(AboutBoxTest, CloseBoxEnablesTheFormToo) {
  box->close();
  EXPECT_TRUE(form.isEnabled());
  EXPECT_TRUE(QTest::qWaitFor([this] { return box.isNull(); }));
}

// The link every secondary window has with the form.

TEST(FormLinkTest, FormStaysDisabledUntilTheLastLockingWindowCloses) {
  FakeForm form;
  QWidget first;
  QWidget second;
  new FormLink(&first, &form, FormLink::kDisableForm);
  new FormLink(&second, &form, FormLink::kDisableForm);
  first.show();
  second.show();
  first.hide();
  EXPECT_FALSE(form.isEnabled());
  second.hide();
  EXPECT_TRUE(form.isEnabled());
  first.show();
  EXPECT_FALSE(form.isEnabled());
}

TEST(FormLinkTest, DestroyingAShownWindowEnablesTheForm) {
  FakeForm form;
  auto* window = new QWidget;
  new FormLink(window, &form, FormLink::kDisableForm);
  window->show();
  delete window;
  EXPECT_TRUE(form.isEnabled());
}

TEST(FormLinkTest, WindowsGoWithTheFormAndDoNotKeepTheProgramRunning) {
  auto form = std::make_unique<FakeForm>();
  QPointer<QWidget> window = new QWidget;
  new FormLink(window, form.get(), FormLink::kKeepFormEnabled);
  window->show();
  EXPECT_FALSE(window->testAttribute(Qt::WA_QuitOnClose));
  EXPECT_EQ(window->windowHandle()->transientParent(), form->windowHandle());
  form.reset();
  EXPECT_TRUE(window.isNull());
}

}  // namespace
}  // namespace kamerol::shell
