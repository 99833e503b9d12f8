// A window of the test's own layout, its model and its Qt view, with the notifications the model
// raises recorded as "type sender".
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/temp_dir.h"
#include "ui/qt/window_view.h"

namespace vandrel::testing {

class WindowViewFixture : public ::testing::Test {
 protected:
  // Builds the window of `layout`, with the skin's other files `files` (name, text) beside it.
  void Build(std::string_view layout,
             std::initializer_list<std::pair<const char*, std::string_view>> files = {}) {
    WriteFile(dir_.path() / "res.xml",
              "<resources><file name='XML_TEST' path='test.ui'/></resources>");
    WriteFile(dir_.path() / "test.ui", layout);
    for (const auto& [name, text] : files) WriteFile(dir_.path() / name, text);
    ASSERT_TRUE(skin_.LoadIndex());
    model_ = BuildWindow(skin_, "XML_TEST", texts_);
    ASSERT_NE(model_, nullptr);
    model_->SetNotifyHandler([this](const Notification& n) {
      seen_.push_back(std::string(n.type) + " " + n.sender->Name());
    });
    view_ = QtWindowView::Create(*model_, skin_);
    ASSERT_NE(view_, nullptr);
  }

  // The control of a name only one control has.
  Control& Only(std::string_view name) {
    Control* control = model_->Find(name);
    EXPECT_NE(control, nullptr) << name;
    return *control;
  }
  template <typename W>
  W* WidgetOf(const Control& control) {
    return qobject_cast<W*>(view_->WidgetOf(control));
  }
  template <typename W>
  W* Widget(std::string_view name) {
    return WidgetOf<W>(Only(name));
  }
  // The notifications raised since the last call.
  std::vector<std::string> Seen() { return std::exchange(seen_, {}); }

  TempDir dir_;
  Skin skin_{dir_.path()};
  std::shared_ptr<TextResources> texts_ = std::make_shared<TextResources>();
  std::unique_ptr<WindowModel> model_;
  std::unique_ptr<QtWindowView> view_;
  std::vector<std::string> seen_;
};

}  // namespace vandrel::testing
