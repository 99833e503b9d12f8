// What a parsed INI document costs in memory, counted by this program's own allocator hooks.
#include <gtest/gtest.h>
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "core/ini_document.h"

namespace {

std::atomic<std::size_t> live_bytes{0};

}  // namespace

void* operator new(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  live_bytes += malloc_usable_size(block);
  return block;
}

void operator delete(void* block) noexcept {
  if (block == nullptr) return;
  live_bytes -= malloc_usable_size(block);
  std::free(block);
}

void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

namespace vandrel {
namespace {

// Bytes the document holds once parsed.
std::size_t DocumentCost(const std::string& text) {
  const std::size_t before = live_bytes;
  const IniDocument document = IniDocument::Parse(text);
  return live_bytes - before;
}

TEST(IniDocumentMemoryTest, ADocumentCostsASmallMultipleOfItsFile) {
  std::string macro_file = "[MACROACTIONCOUNT]\r\ncount=20000\r\n[MACROACTION]\r\n";
  for (int i = 0; i < 20000; ++i)
    macro_file += std::to_string(i) + "=1,4,1,0,50,keyboard_key_A\r\n";
  struct Case {
    const char* kind;
    std::string text;
    std::size_t multiple;
  };
  const Case cases[] = {
      {"blank lines", std::string(1'000'000, '\n'), 2},
      {"comments", std::string(100'000, ';') + std::string(100'000, '\n'), 2},
      {"macro file", macro_file, 4},
  };
  for (const Case& c : cases) {
    EXPECT_LE(DocumentCost(c.text), c.multiple * c.text.size()) << c.kind;
  }
}

}  // namespace
}  // namespace vandrel
