// The commands of vandrelctl. Each returns the process exit status.
#pragma once

#include "cli/options.h"

namespace vandrel::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitDeviceError = 1;  // device missing, not answering, or refusing
inline constexpr int kExitFileError = 1;    // a folder or file that could not be made
inline constexpr int kExitBadUsage = 2;     // bad command line or bad input file; nothing sent

// The data folders (created on the way) and the program folder.
int RunFolders(const Options& options);
// main.ini's skin and language settings and the stored language.
int RunSettings(const Options& options);
// The devices connected: kind, product ID, keyboard model.
int RunList(const Options& options);
// Everything read from one device.
int RunInfo(const Options& options);
// Changes of one device's settings, checked before anything is sent.
int RunSet(const Options& options);
// Profile files: show, apply, save.
int RunProfile(const Options& options);
// "hid list": every HID interface collection, marking those the program would use;
// "hid describe": the capabilities of a report descriptor.
int RunHid(const Options& options);
// The lighting frames of an effect, rendered without a device.
int RunFrames(const Options& options);
// The macro libraries of the mouse and the keyboard in the data folders: list, show, add, rename,
// delete, export, import.
int RunMacro(const Options& options);
// The mouse's recoil tables in the data folder: list, show, import, export, restore; and their
// download to the mouse.
int RunRecoil(const Options& options);
// The device's macros and key page written to it, as the download button does.
int RunDownload(const Options& options);
// One mouse button's or keyboard key's function changed and the key page written, checked as the
// key pages check it.
int RunAssign(const Options& options);
// The program in the foreground as the profile links see it, or "unknown" and why.
int RunForeground(const Options& options);

}  // namespace vandrel::cli
