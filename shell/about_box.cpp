#include "shell/about_box.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/version.h"
#include "shell/dialog_buttons.h"
#include "shell/form_link.h"
#include "shell/program_icon.h"

namespace kamerol::shell {
namespace {

constexpr int kIconSize = 64;
constexpr int kTextWidth = 340;

}  // namespace

AboutBox::AboutBox(QWidget* form) {
  setWindowTitle(QStringLiteral("О программе ") + QLatin1String(kProgramName));
  setWindowIcon(kamerolIcon());
  new FormLink(this, form, FormLink::kDisableForm);

  auto* icon = new QLabel;
  icon->setObjectName(QStringLiteral("iconLabel"));
  icon->setPixmap(kamerolIcon().pixmap(QSize(kIconSize, kIconSize), devicePixelRatio()));
  icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

  auto* title = new QLabel(QLatin1String(kProgramName));
  title->setObjectName(QStringLiteral("titleLabel"));
  QFont titleFont = title->font();
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
  titleFont.setBold(true);
  title->setFont(titleFont);

  auto* version = new QLabel(QStringLiteral("Версия ") + QLatin1String(kVersion));
  version->setObjectName(QStringLiteral("versionLabel"));

  auto* description =
      new QLabel(QStringLiteral("Программа предназначена для теплового расчета холодильных камер. В результате расчета "
                                "определяется мощность (холодопроизводительность) агрегата."));
  description->setObjectName(QStringLiteral("descriptionLabel"));
  description->setWordWrap(true);
  description->setFixedWidth(kTextWidth);

  auto* licence = new QLabel(QString::fromUtf8(kLicenceText));
  licence->setObjectName(QStringLiteral("licenceLabel"));
  licence->setWordWrap(true);
  licence->setFixedWidth(kTextWidth);

  auto* texts = new QVBoxLayout;
  texts->addWidget(title);
  texts->addWidget(version);
  texts->addSpacing(8);
  texts->addWidget(description);
  texts->addSpacing(8);
  texts->addWidget(licence);
  texts->addStretch();

  auto* body = new QHBoxLayout;
  body->setSpacing(16);
  body->addWidget(icon);
  body->addLayout(texts);

  auto* buttons = acceptButtonRow(this, QStringLiteral("OK"), QStringLiteral("cmdOK"));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

AboutBox* AboutBox::open(QWidget* form) {
  auto* box = new AboutBox(form);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->show();
  return box;
}

}  // namespace kamerol::shell
