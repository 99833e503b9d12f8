// FakeDialogs: the dialogs seam for page tests. It records every message shown and answers with
// scripted results, so that a test can check which identifiers a page showed and drive both
// answers of a question without opening a window.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "ui/dialogs.h"

namespace vandrel::testing {

class FakeDialogs final : public Dialogs {
 public:
  struct Shown {
    std::string text;
    bool is_identifier;
    WindowModel* owner;
  };

  // The results of the next ShowMessage calls, in order; once used up, boxes answer 0 (as if the
  // user closed them).
  void Answer(std::vector<int> results);

  int ShowMessage(WindowModel* owner, std::string_view text, bool is_identifier) override;
  void ShowNoDeviceMessage(WindowModel* owner) override;

  [[nodiscard]] const std::vector<Shown>& shown() const { return shown_; }
  // The texts shown, in order (identifiers and literal texts alike).
  [[nodiscard]] std::vector<std::string> Texts() const;
  [[nodiscard]] int no_device_messages() const { return no_device_messages_; }

 private:
  std::deque<int> answers_;
  std::vector<Shown> shown_;
  int no_device_messages_ = 0;
};

}  // namespace vandrel::testing
