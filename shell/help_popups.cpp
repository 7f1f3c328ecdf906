#include "shell/help_popups.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "shell/form_link.h"
#include "shell/program_icon.h"

namespace kamerol::shell {
namespace {

// Wide enough for the longest formula on one row, narrow enough for the prose to read as a note.
constexpr int kLabelWidth = 480;

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

HelpPopup::HelpPopup(int number, QWidget* form) : number_(number) {
  const HelpText* text = helpText(number);
  Q_ASSERT(text != nullptr);
  setObjectName(QStringLiteral("frmhlp%1").arg(number));
  setWindowTitle(fromUtf8(text->title));
  setWindowIcon(kamerolIcon());
  setAttribute(Qt::WA_DeleteOnClose);
  new FormLink(this, form, FormLink::kKeepFormEnabled);

  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(12);
  for (const HelpLabel& label : text->labels) {
    QStringList rows;
    for (const std::string_view segment : label.segments) rows.append(fromUtf8(segment));
    // Plain text: the formulas hold '<' and '>'.
    auto* widget = new QLabel(rows.join(QLatin1Char('\n')));
    widget->setTextFormat(Qt::PlainText);
    widget->setWordWrap(true);
    widget->setFixedWidth(kLabelWidth);
    layout->addWidget(widget);
  }
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool HelpPopup::event(QEvent* event) {
  if (event->type() == QEvent::WindowDeactivate && helpPopupClosesOnFocusLoss(number_)) close();
  return QDialog::event(event);
}

HelpPopups::HelpPopups(QWidget* form) : QObject(form), form_(form) {}

HelpPopups::~HelpPopups() {
  for (const QPointer<HelpPopup>& popup : popups_) delete popup.data();
}

void HelpPopups::show(int number) {
  if (helpText(number) == nullptr) return;
  QPointer<HelpPopup>& popup = popups_[static_cast<std::size_t>(number - 1)];
  if (popup == nullptr) popup = new HelpPopup(number, form_);
  popup->show();
  popup->raise();
  popup->activateWindow();
}

HelpPopup* HelpPopups::popup(int number) const {
  if (helpText(number) == nullptr) return nullptr;
  return popups_[static_cast<std::size_t>(number - 1)].data();
}

}  // namespace kamerol::shell
