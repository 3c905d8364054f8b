#pragma once
// Entry points shared by the libFuzzer programs and the native replay test:
// each takes one input and must never crash, hang or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <string>

namespace cdvfuzz {

// The recovery engine on a whole contacts2.db, then its carved text split
// into records as the loader does.
int Engine(const uint8_t* data, size_t size);

// The contacts-database reader on a whole file, then loading, list rows,
// contact cards and the export as the program runs them.
int Reader(const uint8_t* data, size_t size);

// Carved-line split and counting, carved records, type-code parsing and labels.
int CarvedText(const uint8_t* data, size_t size);

// The update manifest and version comparison.
int UpdateManifest(const uint8_t* data, size_t size);

// The relay (shell and pull) against an adb server whose every reply is the
// input's; a pull that fails must leave no file.
int Relay(const uint8_t* data, size_t size);

// A private scratch folder for this process (removed at exit).
const std::string& ScratchFolder();

// Writes the input as <scratch>/contacts2.db with no journal or WAL beside it.
std::string WriteDatabase(const uint8_t* data, size_t size);

}  // namespace cdvfuzz
