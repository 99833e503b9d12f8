// What one preview of the keyboard's lighting costs the window's thread: a picture of 126 lit keys
// of the skin's size, each with its caption, is given a new colour on every key, and the key layer
// writes their light and paints it (offscreen). With `changing` 0 every key keeps its colour,
// which costs the comparisons alone. With `cold` 1 the caches are filled with other data before
// each preview, as the window's thread finds them after sleeping between previews: the pixels are
// few, and most of a preview's time goes to bringing them and their keys' records back into the
// caches. QT_SCALE_FACTOR=2 measures it at 200 %.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>
#include <string>
#include <vector>

#include "ui/qt/device_key_button.h"

namespace vandrel {
namespace {

constexpr int kRows = 7;
constexpr int kColumns = 18;
constexpr int kKeySize = 28;  // the skin's key, in pixels
constexpr int kPitch = 30;

struct Keyboard {
  QWidget window;
  std::vector<DeviceKeyButton*> keys;

  Keyboard() {
    window.setObjectName("top");
    window.setStyleSheet(
        "#top{background-color:#203040}"
        "QPushButton{background-color:#303030;border:none;color:#e0e0e0;"
        "font-size:9px}");
    window.resize(kColumns * kPitch + 20, kRows * kPitch + 20);
    auto* picture = new QWidget(&window);
    picture->setGeometry(10, 10, kColumns * kPitch, kRows * kPitch);
    for (int row = 0; row < kRows; ++row) {
      for (int column = 0; column < kColumns; ++column) {
        auto* key = new DeviceKeyButton(picture);
        key->setGeometry(column * kPitch, row * kPitch, kKeySize, kKeySize);
        key->setText(QString::fromStdString("F" + std::to_string(column + 1)));
        keys.push_back(key);
      }
    }
    window.show();
    Light(0);
    Settle();
  }

  // Every key in a colour of its own, which changes with `frame`.
  void Light(int frame) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
      const auto hue = static_cast<quint32>((frame * 7 + static_cast<int>(i) * 13) & 0xFF);
      keys[i]->SetLight(true, hue << 16 | (255 - hue) << 8 | 0x40, 255);
    }
  }

  // The layer writes the keys once the changes are in, then paints.
  static void Settle() { QCoreApplication::processEvents(); }
};

void BM_KeyboardPreview(benchmark::State& state) {
  Keyboard keyboard;
  int frame = 1;
  std::vector<char> other(std::size_t{32} << 20);  // larger than the caches
  for (auto _ : state) {
    if (state.range(1) != 0) {
      state.PauseTiming();
      for (std::size_t i = 0; i < other.size(); i += 64) other[i] = static_cast<char>(other[i] + 1);
      state.ResumeTiming();
    }
    keyboard.Light(frame);
    Keyboard::Settle();
    frame += static_cast<int>(state.range(0));
  }
  state.counters["keys"] = static_cast<double>(keyboard.keys.size());
}
BENCHMARK(BM_KeyboardPreview)
    ->ArgNames({"changing", "cold"})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({0, 0})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vandrel

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
