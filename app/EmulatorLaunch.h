#pragma once

#include <string>

namespace tess {

// The emulator is a program of its own: started with the deck's path, or,
// when one is running, told of the deck through a local socket.

// The local socket a running emulator listens on: "Tessarine Emulator 1.0
// Beta" made unique per user; TESSARINE_EMULATOR_SOCKET replaces it.
std::string emulatorSocketName();
// What a running emulator is sent: "file://" and the path as it stands, no
// terminating zero.
std::string emulatorMessage(const std::string &deckPath);
// The command line as the user would type it: the program, two blanks, the
// deck in double quotes.
std::string emulatorCommandLine(const std::string &program, const std::string &deckPath);
// The emulator installed beside this program, or empty when there is none.
std::string installedEmulatorPath();

// Tells a running emulator to show the deck; false when none answered
// within `timeoutMs`.
bool sendToRunningEmulator(const std::string &deckPath, int timeoutMs = 1000);
// Starts `program` on the deck and does not wait for it; false with the
// system's reason in *error when it cannot be started.
bool startEmulator(const std::string &program, const std::string &deckPath, std::string *error);

} // namespace tess
