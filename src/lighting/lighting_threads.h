// The four lighting threads: the keyboard's and the pad's render their device's effect and send
// every frame; the mouse's only paces itself, since the mouse animates its own effects; the
// synchronised one renders the common effect onto every device whose sync-lighting flag is set.
// A device's own thread stands aside while its flag is set. Each thread's Run is its worker-thread
// body; Pass is one turn of its loop, for tests on the manual clock (Run has the loop wait a pass's
// first pause together with its stop poll, and tells the pass). A pass returns true when the
// thread may wait for a change of what it renders from: it stands aside, or its last frame
// changed nothing and the device shows it, so every further pass would send that frame again.
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
  bool Pass(bool lead_waited = false);
  [[nodiscard]] const EffectState& effect() const { return effect_; }

 private:
  [[nodiscard]] Clock::Duration LeadPause() const;
  // Whether the frame changed nothing and the keyboard shows it.
  bool RenderAndSend(std::uint8_t model);
  void CatchUpRestedPasses(Clock::Duration pause, Clock::Duration waited_since);

  LightingThreadInputs in_;
  EffectState effect_;
  KeyboardFrameImage image_;
  XorShiftRandom random_;
  bool start_held_back_ = false;               // a first frame that drew nothing was not sent
  std::optional<Clock::Duration> rest_began_;  // when the last pass let the thread wait
};

class MouseLightingThread {
 public:
  explicit MouseLightingThread(const LightingThreadInputs& inputs);
  void Run(Event& stop);
  bool Pass();

 private:
  LightingThreadInputs in_;
  std::optional<Clock::Duration> last_rearm_;  // when the mouse lighting timer was last restarted
};

class PadLightingThread {
 public:
  explicit PadLightingThread(const LightingThreadInputs& inputs);
  void Run(Event& stop);
  bool Pass(bool lead_waited = false);
  [[nodiscard]] const PadEffectState& effect() const { return effect_; }

 private:
  [[nodiscard]] Clock::Duration LeadPause() const;
  // The lighting to render with.
  [[nodiscard]] LightingBlock TakeRequests();
  // Whether the frame changed nothing and the pad shows it.
  bool RenderAndSend();

  LightingThreadInputs in_;
  PadEffectState effect_;
  PadFrame frame_{};
};

class SyncLightingThread {
 public:
  explicit SyncLightingThread(const LightingThreadInputs& inputs);
  void Run(Event& stop);
  bool Pass(bool lead_waited = false);
  [[nodiscard]] std::uint8_t sync_step() const { return sync_step_; }

 private:
  [[nodiscard]] Clock::Duration LeadPause() const;
  // Whether the effect changed any frame or its position.
  bool Render(const LightingBlock& common, bool keyboard, bool pad);
  // Whether the keyboard shows the frame (or takes none).
  bool SendKeyboard();

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
