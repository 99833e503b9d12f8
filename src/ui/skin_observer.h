// The skin-change notification: the skin window publishes the background the user chose, and
// every registered receiver (the main window) applies it to its root control.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>

namespace vandrel {

struct SkinChangedParam {
  bool is_colour = false;
  std::uint32_t colour = 0;  // 0xAARRGGBB, when is_colour
  std::string image;         // skin-relative picture or full file path, when not is_colour
};

class SkinReceiver {
 public:
  // Applies the change; returns 1.
  virtual int Receive(const SkinChangedParam& param) = 0;

 protected:
  ~SkinReceiver() = default;
};

// Receivers in the order they were added. Any thread; Broadcast tells the receivers on the
// calling thread, outside the observer's lock.
class SkinObserver {
 public:
  // Adds a receiver (it must outlive the observer or be removed) and returns its number.
  int AddReceiver(SkinReceiver& receiver);
  void RemoveReceiver(int number);
  void Broadcast(const SkinChangedParam& param);
  [[nodiscard]] int ReceiverCount() const;

 private:
  mutable std::mutex mutex_;  // guards receivers_ and next_number_
  std::map<int, SkinReceiver*> receivers_;
  int next_number_ = 0;
};

// The process's one observer, created on first use.
[[nodiscard]] SkinObserver& GetSkinObserver();

// Applies `param` to the window's root as the main window's receiver does: a colour sets the
// background colour and clears the image; a picture sets the colour to 0 and the image.
class WindowModel;
void ApplySkinToRoot(WindowModel& window, const SkinChangedParam& param);

}  // namespace vandrel
