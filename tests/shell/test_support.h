#pragma once

#include <QWidget>

namespace kamerol::shell {

// Stands in for the calculation form: a shown top-level window.
class FakeForm : public QWidget {
 public:
  FakeForm() {
    setWindowTitle(QStringLiteral("form"));
    resize(640, 480);
    show();
  }
};

}  // namespace kamerol::shell

#include <ostream>

#include <QString>
#include <QStringList>

// Readable values in the test failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* out) {
  *out << '{';
  for (qsizetype i = 0; i < list.size(); ++i) *out << (i > 0 ? ", " : "") << '"' << list[i].toStdString() << '"';
  *out << '}';
}
