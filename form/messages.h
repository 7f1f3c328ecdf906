#pragma once

// Message boxes go through this interface, so the form runs without a window
// and tests can answer and check them.

#include <string>
#include <string_view>

namespace kamerol {

enum class MessageIcon : unsigned char { None, Error, Warning };

struct Message {
  std::string title;
  std::string text;
  MessageIcon icon = MessageIcon::None;

  friend bool operator==(const Message&, const Message&) = default;
};

// The title of every rejected input.
inline constexpr std::string_view kInputErrorTitle = "Ошибка ввода";

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // Shows a modal message box with one OK button; returns when it is closed.
  virtual void showMessage(const Message& message) = 0;
};

}  // namespace kamerol
