#pragma once
// Start-up steps that can be checked on their own: the version record in the
// user's registry and the single-instance mutex.

#include <windows.h>

#include <string>

// HKEY_CURRENT_USER key of the version record.
extern const wchar_t kRegistrySubkey[];
// Name of the single-instance mutex; the updater receives the same string.
extern const wchar_t kInstanceMutexName[];
// Written when the record holds no readable version.
extern const wchar_t kDefaultVersion[];

// Reads the value "Version" under HKCU\<subkey> through qzutility.dll,
// writing and returning the default when it cannot be read. Empty when the
// key cannot be opened or created.
std::wstring LoadProductVersion(const wchar_t* subkey);

// Creates the named mutex with initial ownership. `alreadyRunning` is true
// when another process holds it; the handle (possibly null) stays open for
// the life of the process.
HANDLE ClaimSingleInstance(const wchar_t* name, bool* alreadyRunning);

// Full path of this program's file.
std::wstring ProgramFilePath();
