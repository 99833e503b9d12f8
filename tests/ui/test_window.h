// A small window built by hand for the control-model tests, with a handler that records every
// notification as "type sender" (plus the index for item notifications).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/window_model.h"

namespace vandrel::testing {

class TestWindow {
 public:
  TestWindow()
      : texts_(std::make_shared<TextResources>()),
        window_(std::make_unique<WindowModel>("XML_TEST", texts_)) {
    window_->SetNotifyHandler([this](const Notification& n) {
      std::string line = std::string(n.type) + " " + n.sender->Name();
      if (n.index != -1 || n.previous != -1) {
        line += " " + std::to_string(n.index) + " " + std::to_string(n.previous);
      }
      seen_.push_back(line);
    });
  }

  Control& Add(ControlKind kind, std::string name, Control* parent = nullptr) {
    return window_->AddControl(parent != nullptr ? *parent : window_->Root(), kind,
                               std::move(name));
  }
  Control& Option(std::string name, std::string group) {
    Control& option = Add(ControlKind::kOption, std::move(name));
    option.SetAttribute("group", group);
    return option;
  }

  WindowModel& window() { return *window_; }
  TextResources& texts() { return *texts_; }
  // The notifications since the last call.
  std::vector<std::string> Seen() { return std::exchange(seen_, {}); }

 private:
  std::shared_ptr<TextResources> texts_;
  std::unique_ptr<WindowModel> window_;
  std::vector<std::string> seen_;
};

}  // namespace vandrel::testing
