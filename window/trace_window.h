#pragma once

// The calculation trace beside the calculation window: every gain, the sum
// and the required capacity with formula, inputs, intermediate values and
// result, as a tree the keyboard walks, its lines wrapped to the window's
// width. It follows the form model: any change of a control rebuilds it once
// the event that caused it is handled. It copies, saves (as text or PDF) and
// prints the trace.

#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "form/calculation_form.h"

class QAction;
class QTreeWidget;

namespace kamerol {

struct ReportPage;

// What the trace window needs from the desktop: the save dialog, the printer
// and the error box. Tests replace it.
class TraceWindowServices {
 public:
  virtual ~TraceWindowServices() = default;
  // The file chosen in the save dialog, which starts at `suggested` (folder
  // and name); the chosen type's extension is added where the name has none.
  // Nothing when cancelled.
  virtual std::optional<std::filesystem::path> askSavePath(QWidget* parent, const std::filesystem::path& suggested) = 0;
  virtual bool hasPrinter() = 0;
  // Prints the pages of `page` on the default printer; false when the job fails.
  virtual bool print(const ReportPage& page) = 0;
  // A modal message with an OK button.
  virtual void showError(QWidget* parent, const QString& title, const QString& text) = 0;
};

class TraceWindow : public QWidget, private FormObserver {
  Q_OBJECT

 public:
  // `form` must outlive the window. `saveName` gives the folder and name the
  // save dialog starts with, asked at each save. Without `services` the
  // window uses the platform's dialog and the default printer. The window
  // deletes itself when closed.
  explicit TraceWindow(CalculationForm& form, std::function<std::filesystem::path()> saveName = {},
                       std::unique_ptr<TraceWindowServices> services = nullptr, QWidget* parent = nullptr);
  ~TraceWindow() override;

  QTreeWidget* tree() const { return tree_; }
  QAction* selectAllAction() const { return selectAll_; }
  QAction* copyAction() const { return copy_; }
  QAction* saveAction() const { return save_; }
  QAction* printAction() const { return print_; }

  // The size it would like and the least it needs, in the tool windows' column.
  QSize sizeHint() const override { return {640, 640}; }
  QSize minimumSizeHint() const override { return {360, 240}; }

  // Ctrl+C: the selected lines as text; with every line selected (Ctrl+A),
  // the whole trace as the command line prints it.
  void copy();
  // "Сохранить…": as text, or as the report's trace pages in a PDF where the
  // name ends in ".pdf". A failure is shown.
  void save();
  // Ctrl+P: the report's trace pages on the default printer. A failure is shown.
  void print();

 private:
  void controlChanged(Control) override { refreshLater(); }
  void pageChanged() override {}

  void refreshLater();
  void refresh();
  QAction* addCommand(const char* name, const QString& text, const QKeySequence& keys, std::function<void()> command);

  CalculationForm& form_;
  std::function<std::filesystem::path()> saveName_;
  std::unique_ptr<TraceWindowServices> services_;
  QTreeWidget* tree_;
  QAction* selectAll_ = nullptr;
  QAction* copy_ = nullptr;
  QAction* save_ = nullptr;
  QAction* print_ = nullptr;
  bool refreshPending_ = false;
};

// Gives each result box of `window` a tooltip with its formula and numbers,
// made when it is asked for.
class CalculationWindow;
void installResultTooltips(CalculationWindow& window);

}  // namespace kamerol
