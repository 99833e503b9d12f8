// The four lighting threads: the keyboard's and the pad's render their device's effect and send
// every frame; the mouse's only paces itself, since the mouse animates its own effects; the
// synchronised one renders the common effect onto every device whose sync-lighting flag is set.
// A device's own thread stands aside while its flag is set. Each thread's Run is its worker-thread
// body; Pass is one turn of its loop, for tests on the manual clock.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "app/worker_threads.h"
#include "core/event.h"
#include "keyboard/lighting/effect_inputs.h"
#include "keyboard/lighting/effect_state.h"
#include "lighting/lighting_thread_inputs.h"
#include "pad/pad_effects.h"

namespace vandrel {

inline constexpr std::string_view kKeyboardLightingExit = "键盘灯光线程设定退出";
inline constexpr std::string_view kMouseLightingExit = "鼠标灯光线程设定退出";
inline constexpr std::string_view kPadLightingExit = "鼠标垫灯光线程设定退出";
inline constexpr std::string_view kSyncLightingExit = "同步灯光线程设定退出";
// Written on every pass while the mouse shows a mode above 5.
inline constexpr std::string_view kMouseModeAboveFive = "鼠标灯光线程设定2";

class KeyboardLightingThread {
 public:
  explicit KeyboardLightingThread(const LightingThreadInputs& inputs);
  void Run(Event& stop);
  void Pass();
  [[nodiscard]] const EffectState& effect() const { return effect_; }

 private:
  void RenderAndSend(std::uint8_t model);

  LightingThreadInputs in_;
  EffectState effect_;
  KeyboardFrameImage image_;
  XorShiftRandom random_;
  bool start_held_back_ = false;  // a first frame that drew nothing was not sent
};

class MouseLightingThread {
 public:
  explicit MouseLightingThread(const LightingThreadInputs& inputs);
  void Run(Event& stop);
  void Pass();

 private:
  void SleepThroughIdlePasses(const LightingBlock& lighting, Clock::Duration now);

  LightingThreadInputs in_;
  std::optional<Clock::Duration> last_rearm_;  // when the mouse lighting timer was last restarted
};

class PadLightingThread {
 public:
  explicit PadLightingThread(const LightingThreadInputs& inputs);
  void Run(Event& stop);
  void Pass();
  [[nodiscard]] const PadEffectState& effect() const { return effect_; }

 private:
  // The lighting to render with.
  [[nodiscard]] LightingBlock TakeRequests();
  void RenderAndSend();

  LightingThreadInputs in_;
  PadEffectState effect_;
  PadFrame frame_{};
};

class SyncLightingThread {
 public:
  explicit SyncLightingThread(const LightingThreadInputs& inputs);
  void Run(Event& stop);
  void Pass();
  [[nodiscard]] std::uint8_t sync_step() const { return sync_step_; }

 private:
  void Render(const LightingBlock& common, bool keyboard, bool pad);
  void SendKeyboard();

  LightingThreadInputs in_;
  std::uint8_t sync_step_ = 0;
  KeyboardFrameImage keyboard_image_;
  PadFrame pad_frame_{};
};

// The four threads as the main window runs them.
class LightingThreads {
 public:
  explicit LightingThreads(const LightingThreadInputs& inputs);
  // Gives the lighting slots of the main window's worker threads their bodies; this object must
  // outlive the threads.
  void AttachTo(WorkerThreads& threads);

 private:
  KeyboardLightingThread keyboard_;
  MouseLightingThread mouse_;
  PadLightingThread pad_;
  SyncLightingThread sync_;
};

}  // namespace vandrel
