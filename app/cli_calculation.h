#pragma once

// The parts of `kamerol-cli calc` that the batch forms share with the one-file
// form: the --set assignments and the messages; calculation_json.h writes
// the JSON output.

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/gains.h"
#include "form/calculation_form.h"
#include "form/messages.h"

namespace kamerol::cli {

// A wrong command line: reported with the usage hint, exit code 1.
class UsageError {
 public:
  explicit UsageError(std::string message) : message_(std::move(message)) {}
  const std::string& message() const { return message_; }

 private:
  std::string message_;
};

struct Assignment {
  std::string name;
  Control control;
  bool processMode;  // NAME was processMode
  std::string text;
};

// The result boxes in the order of the results panel: the nine gains, their
// sum and the required capacity.
inline constexpr std::size_t kResultBoxCount = kGainCount + 2;
std::array<Control, kResultBoxCount> resultBoxes();

// The value of --set, NAME=TEXT; throws UsageError for an unknown NAME.
Assignment parseAssignment(const std::string& assignment);

// Applies one --set as the user would do it on the form; throws UsageError
// where the form does not let the user do it.
void apply(CalculationForm& form, const Assignment& a);

// Prints each message as it is shown, after `prefix`, and keeps it for the
// JSON output.
class PrintingMessages : public MessageSink {
 public:
  explicit PrintingMessages(std::ostream& err, std::string prefix = {}) : err_(err), prefix_(std::move(prefix)) {}
  void showMessage(const Message& message) override {
    err_ << prefix_ << message.title << ": " << message.text << '\n';
    messages.push_back(message);
  }
  std::vector<Message> messages;

 private:
  std::ostream& err_;
  std::string prefix_;
};

}  // namespace kamerol::cli
