// The payloads of the profile files of a device that has all three kinds (after the file's 16-byte
// header): the key profile ".pro" is key page 0, the light profile ".led" the device's light
// payload and the device profile ".config" key page 0 followed by the light payload. A device's
// state keeps key page 0 as `keys[0]`; beside the state, StoreLiveLight(state) copies the live
// settings into the record the light payload holds and returns the payload, so that a saved
// profile and the record agree. User-interface thread.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/byte_record.h"
#include "profile/profile_file.h"

namespace vandrel {

template <typename State>
concept HasAllProfileKinds = requires(State& state) {
  Encode(state.keys[0]);
  Encode(StoreLiveLight(state));
};

template <std::size_t kFirst, std::size_t kSecond>
[[nodiscard]] std::array<std::uint8_t, kFirst + kSecond> Joined(
    const std::array<std::uint8_t, kFirst>& first,
    const std::array<std::uint8_t, kSecond>& second) {
  std::array<std::uint8_t, kFirst + kSecond> bytes{};
  std::copy(second.begin(), second.end(), std::copy(first.begin(), first.end(), bytes.begin()));
  return bytes;
}

template <HasAllProfileKinds State>
[[nodiscard]] auto MakeKeyProfile(const State& state) {
  return Encode(state.keys[0]);
}

template <HasAllProfileKinds State>
[[nodiscard]] auto MakeLightProfile(State& state) {
  return Encode(StoreLiveLight(state));
}

template <HasAllProfileKinds State>
[[nodiscard]] auto MakeDeviceProfile(State& state) {
  return Joined(Encode(state.keys[0]), Encode(StoreLiveLight(state)));
}

template <typename Bytes>
[[nodiscard]] std::vector<std::uint8_t> ByteVector(const Bytes& bytes) {
  return {bytes.begin(), bytes.end()};
}

// The payload of `kind`, as a profile file of that kind holds it.
template <HasAllProfileKinds State>
[[nodiscard]] std::vector<std::uint8_t> MakeProfile(State& state, ProfileKind kind) {
  switch (kind) {
    case ProfileKind::kKey:
      return ByteVector(MakeKeyProfile(state));
    case ProfileKind::kLight:
      return ByteVector(MakeLightProfile(state));
    case ProfileKind::kDevice:
      return ByteVector(MakeDeviceProfile(state));
  }
  return {};
}

}  // namespace vandrel
