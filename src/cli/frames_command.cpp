#include <cstdio>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/device_names.h"
#include "cli/frame_renderer.h"
#include "cli/output.h"
#include "device/lighting_limits.h"
#include "lighting/keyboard_pass.h"

namespace vandrel::cli {
namespace {

constexpr std::string_view kValueOptions[] = {"model",  "mode",  "brightness", "speed", "direction",
                                              "colour", "count", "seed",       "follow"};
constexpr std::string_view kFlagOptions[] = {"seven-colour", "preview"};

constexpr long kHighestLevel = 14;  // brightness and speed
constexpr long kMostFrames = 10000;
constexpr long kSyncLastMode = 3;

struct FramesSettings {
  FrameRequest request;
  std::size_t count = 1;
  bool preview = false;
};

std::optional<FrameSource> SourceOfWord(std::string_view word) {
  if (word == "keyboard") return FrameSource::kKeyboard;
  if (word == "pad") return FrameSource::kPad;
  if (word == "sync") return FrameSource::kSync;
  return std::nullopt;
}

// The last item of the mode list: the keyboard model's own, the pad's or the animation's.
long LastMode(FrameSource source, std::uint8_t keyboard_model) {
  if (source == FrameSource::kPad) return LastLightingMode(DeviceKind::kPad, 0);
  if (source == FrameSource::kSync) return kSyncLastMode;
  return LastLightingMode(DeviceKind::kKeyboard, keyboard_model);
}

// Reads the option `name` when given, within `low`-`high`; false with `error` set when it is bad.
template <typename Number>
bool ReadNumber(const CommandArguments& split, const std::string& name, long low, long high,
                Number& value, std::string& error) {
  const std::string* text = split.Value(name);
  if (text == nullptr) return true;
  const std::optional<long> number = ParseNumber(*text, low, high, "--" + name, error);
  if (number) value = static_cast<Number>(*number);
  return number.has_value();
}

bool ReadModel(const CommandArguments& split, std::uint8_t& model, std::string& error) {
  if (!ReadNumber(split, "model", 0, 3, model, error)) return false;
  if (model != 2) return true;
  error = "--model must be 0, 1 or 3, not 2";
  return false;
}

// "keyboard", "pad" or both, separated by commas.
bool ReadFollowers(const CommandArguments& split, FrameRequest& request, std::string& error) {
  const std::string* text = split.Value("follow");
  if (text == nullptr) {
    request.keyboard_follows = request.pad_follows = true;
    return true;
  }
  std::istringstream words(*text);
  for (std::string word; std::getline(words, word, ',');) {
    bool* follows = nullptr;
    if (word == DeviceWord(DeviceKind::kKeyboard)) follows = &request.keyboard_follows;
    if (word == DeviceWord(DeviceKind::kPad)) follows = &request.pad_follows;
    if (follows == nullptr || *follows) {
      error = "--follow takes keyboard, pad or both, each once, not \"" + *text + "\"";
      return false;
    }
    *follows = true;
  }
  if (request.keyboard_follows || request.pad_follows) return true;
  error = "--follow names no device";
  return false;
}

bool ReadLighting(const CommandArguments& split, long last_mode, LightingBlock& lighting,
                  std::string& error) {
  lighting = {.brightness = kHighestLevel, .red = 0xFF, .green = 0xFF, .blue = 0xFF};
  if (!ReadNumber(split, "mode", 0, last_mode, lighting.mode, error) ||
      !ReadNumber(split, "brightness", 0, kHighestLevel, lighting.brightness, error) ||
      !ReadNumber(split, "speed", 0, kHighestLevel, lighting.speed, error))
    return false;
  if (const std::string* text = split.Value("direction")) {
    const std::optional<std::uint8_t> direction = ParseDirection(*text, error);
    if (!direction) return false;
    lighting.direction = *direction;
  }
  if (const std::string* text = split.Value("colour")) {
    const std::optional<Rgb> colour = ParseColour(*text, error);
    if (!colour) return false;
    lighting.red = colour->red;
    lighting.green = colour->green;
    lighting.blue = colour->blue;
  }
  lighting.seven_colour = split.Has("seven-colour") ? 1 : 0;
  return true;
}

// The options that only one source takes.
bool RefuseOtherSourcesOptions(const CommandArguments& split, FrameSource source,
                               std::string& error) {
  if (source == FrameSource::kPad && split.Value("model") != nullptr) {
    error = "--model is the keyboard's";
  } else if (source != FrameSource::kSync && split.Value("follow") != nullptr) {
    error = "--follow is for sync only";
  }
  return error.empty();
}

std::optional<FramesSettings> ReadSettings(const std::vector<std::string>& arguments,
                                           std::string& error) {
  const std::optional<CommandArguments> split =
      SplitArguments(arguments, kValueOptions, kFlagOptions, error);
  if (!split) return std::nullopt;
  const std::optional<FrameSource> source =
      split->words.size() == 1 ? SourceOfWord(split->words[0]) : std::nullopt;
  if (!source) {
    error = "frames needs one of keyboard, pad or sync";
    return std::nullopt;
  }
  FramesSettings settings;
  FrameRequest& request = settings.request;
  request.source = *source;
  request.seed = kKeyboardEffectSeed;
  if (!RefuseOtherSourcesOptions(*split, *source, error) ||
      !ReadModel(*split, request.keyboard_model, error) ||
      !ReadLighting(*split, LastMode(*source, request.keyboard_model), request.lighting, error) ||
      !ReadNumber(*split, "seed", 0, 0xFFFFFFFFL, request.seed, error) ||
      !ReadNumber(*split, "count", 1, kMostFrames, settings.count, error) ||
      (*source == FrameSource::kSync && !ReadFollowers(*split, request, error)))
    return std::nullopt;
  settings.preview = split->Has("preview");
  return settings;
}

nlohmann::ordered_json FrameJson(std::size_t number, const RenderedFrame& frame, bool preview) {
  nlohmann::ordered_json json = {{"frame", number}};
  for (const DeviceFrame& device : frame) {
    nlohmann::ordered_json part = {{"payload", LowerHex(device.payload)}};
    if (preview) {
      nlohmann::ordered_json leds = nlohmann::ordered_json::array();
      for (const LedEntry& led : device.leds)
        leds.push_back({led.red, led.green, led.blue, led.level});
      part["leds"] = leds;
    }
    json[std::string(DeviceWord(device.device))] = part;
  }
  return json;
}

}  // namespace

int RunFrames(const Options& options) {
  std::string error;
  const std::optional<FramesSettings> settings = ReadSettings(options.arguments, error);
  if (!settings) return RefuseUsage(error);
  std::size_t number = 0;
  if (options.json) std::printf("[\n");
  RenderFrames(settings->request, settings->count, [&](const RenderedFrame& frame) {
    if (options.json) {
      const std::string text = FrameJson(number, frame, settings->preview).dump();
      std::printf("%s%s\n", text.c_str(), number + 1 < settings->count ? "," : "");
    } else {
      std::printf("%s\n", FormatFrameLine(number, frame, settings->preview).c_str());
    }
    ++number;
  });
  if (options.json) std::printf("]\n");
  return kExitSuccess;
}

}  // namespace vandrel::cli
