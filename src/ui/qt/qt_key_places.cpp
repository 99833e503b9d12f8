#include "ui/qt/qt_key_places.h"

#include <Qt>
#include <algorithm>
#include <span>

namespace vandrel {
namespace {

struct KeyPlace {
  int key;
  std::uint16_t evdev_code;
};

// Keys off the keypad; a shifted sign sits on the key of its unshifted one.
constexpr KeyPlace kMainKeys[] = {
    {Qt::Key_Escape, 1},
    {Qt::Key_1, 2},
    {Qt::Key_Exclam, 2},
    {Qt::Key_2, 3},
    {Qt::Key_At, 3},
    {Qt::Key_3, 4},
    {Qt::Key_NumberSign, 4},
    {Qt::Key_4, 5},
    {Qt::Key_Dollar, 5},
    {Qt::Key_5, 6},
    {Qt::Key_Percent, 6},
    {Qt::Key_6, 7},
    {Qt::Key_AsciiCircum, 7},
    {Qt::Key_7, 8},
    {Qt::Key_Ampersand, 8},
    {Qt::Key_8, 9},
    {Qt::Key_Asterisk, 9},
    {Qt::Key_9, 10},
    {Qt::Key_ParenLeft, 10},
    {Qt::Key_0, 11},
    {Qt::Key_ParenRight, 11},
    {Qt::Key_Minus, 12},
    {Qt::Key_Underscore, 12},
    {Qt::Key_Equal, 13},
    {Qt::Key_Plus, 13},
    {Qt::Key_Backspace, 14},
    {Qt::Key_Tab, 15},
    {Qt::Key_Backtab, 15},
    {Qt::Key_Q, 16},
    {Qt::Key_W, 17},
    {Qt::Key_E, 18},
    {Qt::Key_R, 19},
    {Qt::Key_T, 20},
    {Qt::Key_Y, 21},
    {Qt::Key_U, 22},
    {Qt::Key_I, 23},
    {Qt::Key_O, 24},
    {Qt::Key_P, 25},
    {Qt::Key_BracketLeft, 26},
    {Qt::Key_BraceLeft, 26},
    {Qt::Key_BracketRight, 27},
    {Qt::Key_BraceRight, 27},
    {Qt::Key_Return, 28},
    {Qt::Key_Control, 29},
    {Qt::Key_A, 30},
    {Qt::Key_S, 31},
    {Qt::Key_D, 32},
    {Qt::Key_F, 33},
    {Qt::Key_G, 34},
    {Qt::Key_H, 35},
    {Qt::Key_J, 36},
    {Qt::Key_K, 37},
    {Qt::Key_L, 38},
    {Qt::Key_Semicolon, 39},
    {Qt::Key_Colon, 39},
    {Qt::Key_Apostrophe, 40},
    {Qt::Key_QuoteDbl, 40},
    {Qt::Key_QuoteLeft, 41},
    {Qt::Key_AsciiTilde, 41},
    {Qt::Key_Shift, 42},
    {Qt::Key_Backslash, 43},
    {Qt::Key_Bar, 43},
    {Qt::Key_Z, 44},
    {Qt::Key_X, 45},
    {Qt::Key_C, 46},
    {Qt::Key_V, 47},
    {Qt::Key_B, 48},
    {Qt::Key_N, 49},
    {Qt::Key_M, 50},
    {Qt::Key_Comma, 51},
    {Qt::Key_Less, 51},
    {Qt::Key_Period, 52},
    {Qt::Key_Greater, 52},
    {Qt::Key_Slash, 53},
    {Qt::Key_Question, 53},
    {Qt::Key_Alt, 56},
    {Qt::Key_Space, 57},
    {Qt::Key_CapsLock, 58},
    {Qt::Key_F1, 59},
    {Qt::Key_F2, 60},
    {Qt::Key_F3, 61},
    {Qt::Key_F4, 62},
    {Qt::Key_F5, 63},
    {Qt::Key_F6, 64},
    {Qt::Key_F7, 65},
    {Qt::Key_F8, 66},
    {Qt::Key_F9, 67},
    {Qt::Key_F10, 68},
    {Qt::Key_NumLock, 69},
    {Qt::Key_ScrollLock, 70},
    {Qt::Key_F11, 87},
    {Qt::Key_F12, 88},
    {Qt::Key_Enter, 96},
    {Qt::Key_Print, 99},
    {Qt::Key_AltGr, 100},
    {Qt::Key_Home, 102},
    {Qt::Key_Up, 103},
    {Qt::Key_PageUp, 104},
    {Qt::Key_Left, 105},
    {Qt::Key_Right, 106},
    {Qt::Key_End, 107},
    {Qt::Key_Down, 108},
    {Qt::Key_PageDown, 109},
    {Qt::Key_Insert, 110},
    {Qt::Key_Delete, 111},
    {Qt::Key_VolumeMute, 113},
    {Qt::Key_VolumeDown, 114},
    {Qt::Key_VolumeUp, 115},
    {Qt::Key_Pause, 119},
    {Qt::Key_Meta, 125},
    {Qt::Key_Super_L, 125},
    {Qt::Key_Super_R, 126},
    {Qt::Key_Menu, 127},
    {Qt::Key_MediaNext, 163},
    {Qt::Key_MediaTogglePlayPause, 164},
    {Qt::Key_MediaPlay, 164},
    {Qt::Key_MediaPrevious, 165},
    {Qt::Key_MediaStop, 166},
};

// Keypad keys, with Num Lock on and off.
constexpr KeyPlace kKeypadKeys[] = {
    {Qt::Key_Asterisk, 55}, {Qt::Key_7, 71},      {Qt::Key_Home, 71},   {Qt::Key_8, 72},
    {Qt::Key_Up, 72},       {Qt::Key_9, 73},      {Qt::Key_PageUp, 73}, {Qt::Key_Minus, 74},
    {Qt::Key_4, 75},        {Qt::Key_Left, 75},   {Qt::Key_5, 76},      {Qt::Key_Clear, 76},
    {Qt::Key_6, 77},        {Qt::Key_Right, 77},  {Qt::Key_Plus, 78},   {Qt::Key_1, 79},
    {Qt::Key_End, 79},      {Qt::Key_2, 80},      {Qt::Key_Down, 80},   {Qt::Key_3, 81},
    {Qt::Key_PageDown, 81}, {Qt::Key_0, 82},      {Qt::Key_Insert, 82}, {Qt::Key_Period, 83},
    {Qt::Key_Comma, 83},    {Qt::Key_Delete, 83}, {Qt::Key_Enter, 96},  {Qt::Key_Slash, 98},
};

std::uint32_t Find(std::span<const KeyPlace> places, int key) {
  const auto it = std::ranges::find(places, key, &KeyPlace::key);
  return it == places.end() ? 0 : it->evdev_code;
}

}  // namespace

std::uint32_t EvdevCodeOfQtKey(int key, bool keypad) {
  if (keypad) {
    if (const std::uint32_t code = Find(kKeypadKeys, key)) return code;
  }
  return Find(kMainKeys, key);
}

}  // namespace vandrel
