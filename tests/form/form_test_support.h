#pragma once

// Shared by the form and file tests: a form with recorded message boxes.

#include <string>
#include <vector>

#include "form/calculation_form.h"

namespace kamerol::testing_support {

class RecordingMessages : public MessageSink {
 public:
  void showMessage(const Message& message) override { messages.push_back(message); }
  std::vector<std::string> texts() const {
    std::vector<std::string> t;
    for (const Message& m : messages) t.push_back(m.text);
    return t;
  }
  std::vector<Message> messages;
};

// A form started as the program starts it: lists filled, defaults loaded,
// one engine run.
struct StartedForm {
  explicit StartedForm(NumberLocale locale = NumberLocale::point()) : form(messages, std::move(locale)) {
    form.fillLists();
    form.loadDefaults();
    form.recalculate();
  }

  // The user types `text` at the end of a field, one character at a time, as
  // a keyboard delivers it (the field's reactions may rewrite it in between).
  void typeInto(Control c, const std::string& text) {
    showPageOf(c);
    if (kindOf(c) == ControlKind::TextBox) form.moveFocus(c);
    for (std::size_t i = 0; i < text.size();) {
      std::size_t length = 1;
      while (i + length < text.size() && (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80) ++length;
      form.setText(c, form.text(c) + text.substr(i, length));
      i += length;
    }
  }

  // Focus, replace the whole text with one change, leave: a paste.
  void enter(Control c, const std::string& text) {
    showPageOf(c);
    form.moveFocus(c);
    form.setText(c, text);
    form.focusLost(c);
  }

  // Clicks the control's tab when its page is not the one shown.
  void showPageOf(Control c) {
    const auto page = pageOf(c);
    if (page && !form.frameVisible(*page)) form.selectPage(*page);
  }

  RecordingMessages messages;
  CalculationForm form;
};

}  // namespace kamerol::testing_support
