// How the controller tells the user something: a message box or a desktop notification.
#pragma once

#include <string>

namespace zr4 {

class MessageView {
 public:
  virtual ~MessageView() = default;

  // A message box with one of the system's fixed texts.
  virtual void ShowMessage(const std::string& text) = 0;
  // A message box with its own caption instead of the application's title. A view without
  // captions shows the text alone.
  virtual void ShowCaptionedMessage(const std::string& caption, const std::string& text) {
    (void)caption;
    ShowMessage(text);
  }
  // A desktop notification: shown without waiting for anyone to click it away. Where the
  // desktop has no way to show one, the text goes where the program's diagnostics go.
  virtual void ShowNotification(const std::string& title, const std::string& text) = 0;
};

}  // namespace zr4
