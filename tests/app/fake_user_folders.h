// UserFolders inside one temporary folder.
#pragma once

#include "app/user_folders.h"

namespace vandrel::testing {

class FakeUserFolders final : public UserFolders {
 public:
  explicit FakeUserFolders(std::filesystem::path root) : root_(std::move(root)) {}

  [[nodiscard]] std::filesystem::path DocumentsFolder() const override {
    return root_ / "Documents";
  }
  [[nodiscard]] std::filesystem::path ConfigFolder() const override { return root_ / "config"; }
  [[nodiscard]] std::filesystem::path ProgramFolder() const override { return root_ / "program"; }

 private:
  std::filesystem::path root_;
};

}  // namespace vandrel::testing
