#include "support/fake_dialogs.h"

namespace vandrel::testing {

void FakeDialogs::Answer(std::vector<int> results) {
  answers_.insert(answers_.end(), results.begin(), results.end());
}

int FakeDialogs::ShowMessage(WindowModel* owner, std::string_view text, bool is_identifier) {
  shown_.push_back({std::string(text), is_identifier, owner});
  if (answers_.empty()) return 0;
  const int result = answers_.front();
  answers_.pop_front();
  return result;
}

void FakeDialogs::ShowNoDeviceMessage(WindowModel* owner) {
  ++no_device_messages_;
  shown_.push_back({std::string(kNoDeviceMessage), true, owner});
}

std::vector<std::string> FakeDialogs::Texts() const {
  std::vector<std::string> texts;
  for (const Shown& shown : shown_) texts.push_back(shown.text);
  return texts;
}

}  // namespace vandrel::testing
