#include "macro/macro_image.h"

#include "core/bytes.h"

namespace vandrel {
namespace {

constexpr std::size_t kLengthField = 2;
constexpr std::size_t kCountField = 4;
constexpr std::size_t kDirectoryEntrySize = 2;

[[nodiscard]] std::size_t BlockSize(const MacroSteps& steps) {
  return kMacroBlockHeaderSize + kMacroStepSize * steps.size();
}

void PutStep(std::vector<std::uint8_t>& image, std::size_t at, const MacroAction& step) {
  WriteLe16(image, at, step.delay);
  image[at + 2] = step.code;
  image[at + 3] = step.value;
}

}  // namespace

std::vector<MacroSteps> ReadLibrarySteps(const MacroStore& store) {
  std::vector<MacroSteps> macros;
  for (const std::string& name : store.ReadCatalogue()) {
    MacroSteps steps;
    for (const std::string& line : store.ReadMacro(name)) {
      steps.push_back(ParseAction(line).value_or(MacroAction{}));
    }
    macros.push_back(std::move(steps));
  }
  return macros;
}

std::size_t MacroImageLength(std::span<const MacroSteps> macros) {
  std::size_t length = kMacroImageHeaderSize + kDirectoryEntrySize * macros.size();
  for (const MacroSteps& steps : macros) length += BlockSize(steps);
  return length;
}

std::optional<int> StepsOverCapacity(std::size_t length, std::uint8_t units) {
  const std::size_t capacity = std::size_t{units} * kMacroMemoryUnit;
  if (length <= capacity) return std::nullopt;
  return static_cast<int>((length - capacity) / kMacroStepSize) + 1;
}

std::vector<std::uint8_t> EncodeMacroImage(std::span<const MacroSteps> macros) {
  std::vector<std::uint8_t> image(MacroImageLength(macros), 0);
  WriteLe16(image, 0, kMacroImageMagic);
  WriteLe16(image, kLengthField, static_cast<std::uint16_t>(image.size()));
  WriteLe16(image, kCountField, static_cast<std::uint16_t>(macros.size()));
  std::size_t block = kMacroImageHeaderSize + kDirectoryEntrySize * macros.size();
  for (std::size_t k = 0; k < macros.size(); ++k) {
    WriteLe16(image, kMacroImageHeaderSize + kDirectoryEntrySize * k,
              static_cast<std::uint16_t>(block));
    WriteLe16(image, block, static_cast<std::uint16_t>(macros[k].size()));
    for (std::size_t i = 0; i < macros[k].size(); ++i) {
      PutStep(image, block + kMacroBlockHeaderSize + kMacroStepSize * i, macros[k][i]);
    }
    block += BlockSize(macros[k]);
  }
  return image;
}

MacroImageResult BuildMacroImage(const MacroStore& store, std::uint8_t units) {
  const std::vector<MacroSteps> macros = ReadLibrarySteps(store);
  if (auto over = StepsOverCapacity(MacroImageLength(macros), units)) return {{}, over};
  return {EncodeMacroImage(macros), std::nullopt};
}

}  // namespace vandrel
