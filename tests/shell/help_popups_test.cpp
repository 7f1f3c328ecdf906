#include "shell/help_popups.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <vector>

#include "tests/shell/test_support.h"

namespace kamerol::shell {
namespace {

struct ExpectedPopup {
  int number;
  const char* title;
  std::vector<const char*> labels;  // each label as shown, its segments on rows of their own
  friend void PrintTo(const ExpectedPopup& p, std::ostream* out) { *out << "frmhlp" << p.number; }
};

// clang-format off
const std::vector<ExpectedPopup> kExpectedPopups = {
    {1, "Теплоприток от вентиляторов воздухоохладителя",
     {
         "При предварительном расчете, как правило, берется мощность 10% от суммарной. Затем подбирается оборудование и в уточняющем расчете (нужно поставить флажок) в окна вводится реальная мощность и кол-во вентиляторов воздухоохладителя.",
     }},
    {2, "Кратность вентиляции",
     {
         "Qven - Теплоприток от притока свежего воздуха" "\n"
         "V - Объем камеры" "\n"
         "Qуд - удельн. теплоприток в зависимости от t в камере",
         "Nv = 70 / (V ^ 0.5)" "\n"
         "Qven = Nv * V * Qуд",
         "Кратность вентиляции Nv - это ежесуточная степень обновления воздуха в холодильной камере, зависит от объема камеры и расчитывается автоматически.",
     }},
    {3, "Обработка продукта",
     {
         "Время работы оборудования - это сколько часов в сутки будет работать компрессор на холод." "\n"
         "Рекомендуемое значение 18-21ч." "\n"
         "Запас обычно выбирается  5% - 30%",
     }},
    {4, "Тепл-ки через стены пол и потолок Qст",
     {
         "tст нар - температура снаружи стены" "\n"
         "tст вн - температура внутри камеры",
         "Sст - площадь стен" "\n"
         "Тмат - толщина материала стен" "\n"
         "Тизол - толщина термоизоляции стен" "\n"
         "Y - к-т теплопроводности",
         "Здесь нужно ввести материал из которого изготовлены стены пол и потолок холодильной камеры, их толщину в мм. Также ввести материал термоизоляции и толщину термоизоляции для стен пола и потолка, ну и соответственно температуру снаружи." "\n"
         "Теплоприток через стены вычисляется по формуле:" "\n"
         "Qст = (( tст нар - tст вн ) * Sст) / ( 150,753 + ( Тмат/Yмат) + (Тизол/Yизол))",
     }},
    {5, "Теплоприток от охлаждаемого продукта",
     {
         "Суточный оборот влияет на теплоприток от термообработки продукта и расчитывается по формуле:" "\n"
         "если tконеч > tзам" "\n"
         "Qпрод = M * C1 * ( tнач - tконеч ) / 86400" "\n"
         "если (tнач <= tзам) и (tконеч < tзам)" "\n"
         "Qпрод = M * C2 * ( tнач - tконеч ) / 86400" "\n"
         "если (tнач >= tзам) и (tконеч > tзам)" "\n"
         "Qпрод = (M * C1 * (tнач - tзам) + M * Lp + M * С2 * (tзам - tконеч)) / 86400" "\n"
         "Конечная температура не может быть ниже чем температура в камере" "\n"
         "М - масса" "\n"
         "qдых - теплота дыхания продуктов" "\n"
         "С1 - средн. уд. теплоемкость продукта выше точки замерзания" "\n"
         "С2 - средн. уд. теплоемкость продукта ниже точки замерзания" "\n"
         "Lp - скрытая теплота замораживания продукта" "\n"
         "tнач - начальная температура продукта" "\n"
         "tконеч - конечная температура продукта" "\n"
         "tзам - температура замерзания продукта",
         "Хранимая масса влияет только на теплоприток от \"дыхания продукта\", т.е. это относится только к продуктам растительного происхождения и расчитывается по формуле:" "\n"
         "Qдых = M * qдых / 3600000",
     }},
    {6, "Теплоприток от освещения камеры",
     {
         "Тепловая нагрузка от освещения расчитывается по формуле:" "\n"
         "Qosv = Tосв * Pосв * S / 24" "\n"
         "Tосв  - время работы освещения в камере" "\n"
         "Pосв - мощность освещения" "\n"
         "S - площадь камеры",
     }},
    {7, "Теплоприток через дверь",
     {
         "Тепловая нагрузка вследствие открывания двери расчитывается по формуле:" "\n"
         "Qинф = q * Dt * Df * ( 1 - E )" "\n"
         "q - суммарная тепловая нагрузка на холод. камеру" "\n"
         "Dt - к-т, учитывающий время открытой двери" "\n"
         "Df - к-т, учитывающий возд. поток в дверном проеме" "\n"
         "E - степень эффективности завесы" "\n"
         "Время открытой двери обычно выбирается 5 - 15 минут.",
     }},
    {8, "Теплоприток от персонала",
     {
         "Тепловая нагрузка, обусловленная присутствием персонала расчитывается по формуле:" "\n"
         "Qперс = n * qперс * t / 24" "\n"
         "n - число рабочих в камере" "\n"
         "qперс - кол-во тепла, выделяемого одним человеком" "\n"
         "t - время пребывания (работы освещения)",
     }},
    {9, "Теплоприток от ПТС",
     {
         "Тепловая нагрузка от погрузочно транспортных средств расчитывается по формуле:" "\n"
         "Qптс = P * t / 24" "\n"
         "P - полная мощность ПТС" "\n"
         "t - время пребывания (работы освещения)",
     }},
};
// clang-format on

QString joined(const HelpLabel& label) {
  QStringList rows;
  for (const std::string_view segment : label.segments) {
    rows.append(QString::fromUtf8(segment.data(), static_cast<qsizetype>(segment.size())));
  }
  return rows.join(u'\n');
}

class HelpPopupTextTest : public ::testing::TestWithParam<ExpectedPopup> {};

TEST_P(HelpPopupTextTest, TableHoldsTheExactTexts) {
  const ExpectedPopup& expected = GetParam();
  const HelpText* text = helpText(expected.number);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->title, std::string_view(expected.title));
  ASSERT_EQ(text->labels.size(), expected.labels.size());
  for (std::size_t i = 0; i < expected.labels.size(); ++i) {
    EXPECT_EQ(joined(text->labels[i]), QString::fromUtf8(expected.labels[i])) << "label " << i + 1;
  }
}

TEST_P(HelpPopupTextTest, PopupShowsTheTitleAndLabelsAsPlainWrappedText) {
  const ExpectedPopup& expected = GetParam();
  HelpPopup popup(expected.number, nullptr);
  EXPECT_EQ(popup.objectName(), QStringLiteral("frmhlp%1").arg(expected.number));
  EXPECT_EQ(popup.windowTitle(), QString::fromUtf8(expected.title));
  const QList<QLabel*> labels = popup.findChildren<QLabel*>();
  ASSERT_EQ(static_cast<std::size_t>(labels.size()), expected.labels.size());
  for (std::size_t i = 0; i < expected.labels.size(); ++i) {
    const QLabel* label = labels[static_cast<qsizetype>(i)];
    EXPECT_EQ(label->text(), QString::fromUtf8(expected.labels[i]));
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_TRUE(label->wordWrap());
  }
  EXPECT_TRUE(popup.findChildren<QAbstractButton*>().isEmpty());
  EXPECT_TRUE(popup.findChildren<QLineEdit*>().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(AllPopups, HelpPopupTextTest, ::testing::ValuesIn(kExpectedPopups),
                         [](const auto& info) { return "frmhlp" + std::to_string(info.param.number); });

TEST(HelpTextTest, OnlyNumbersOneToNineHaveAPopup) {
  EXPECT_EQ(helpText(0), nullptr);
  EXPECT_EQ(helpText(10), nullptr);
  EXPECT_EQ(helpText(-1), nullptr);
}

class HelpPopupsTest : public ::testing::Test {
 protected:
  FakeForm form;
  HelpPopups popups{&form};
};

TEST_F(HelpPopupsTest, ShowCreatesThePopupOnceAndLeavesTheFormEnabled) {
  popups.show(4);
  QPointer<HelpPopup> first = popups.popup(4);
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isVisible());
  EXPECT_FALSE(first->isModal());
  EXPECT_TRUE(form.isEnabled());

  popups.show(4);
  EXPECT_EQ(popups.popup(4), first);
  EXPECT_EQ(QApplication::topLevelWidgets().count(first.data()), 1);
}

TEST_F(HelpPopupsTest, ClosedPopupIsDiscardedAndShownAnewOnTheNextClick) {
  popups.show(9);
  QPointer<HelpPopup> first = popups.popup(9);
  ASSERT_NE(first, nullptr);
  first->close();
  ASSERT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }));
  EXPECT_EQ(popups.popup(9), nullptr);

  popups.show(9);
  ASSERT_NE(popups.popup(9), nullptr);
  EXPECT_TRUE(popups.popup(9)->isVisible());
}

TEST_F(HelpPopupsTest, OtherNumbersShowNothing) {
  const qsizetype windows = QApplication::topLevelWidgets().size();
  popups.show(0);
  popups.show(10);
  EXPECT_EQ(QApplication::topLevelWidgets().size(), windows);
}

TEST_F(HelpPopupsTest, PopupsOneToEightCloseOnDeactivationNineStays) {
  for (int number = 1; number <= kHelpPopupCount; ++number) {
    popups.show(number);
    QPointer<HelpPopup> popup = popups.popup(number);
    ASSERT_NE(popup, nullptr);
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(popup, &deactivate);
    if (number <= 8) {
      EXPECT_TRUE(popup.isNull() || !popup->isVisible()) << "popup " << number;
    } else {
      ASSERT_FALSE(popup.isNull());
      EXPECT_TRUE(popup->isVisible()) << "popup " << number;
    }
  }
}

TEST_F(HelpPopupsTest, ClickingTheFormClosesAPopupButNotTheNinth) {
  popups.show(9);
  QPointer<HelpPopup> ninth = popups.popup(9);
  popups.show(6);
  QPointer<HelpPopup> sixth = popups.popup(6);
  if (!QTest::qWaitForWindowActive(sixth)) GTEST_SKIP() << "the platform does not activate windows";

  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  EXPECT_TRUE(QTest::qWaitFor([&] { return sixth.isNull(); }));
  ASSERT_FALSE(ninth.isNull());
  EXPECT_TRUE(ninth->isVisible());
}

}  // namespace
}  // namespace kamerol::shell
