#pragma once
// qzutility.dll: the per-user registry helpers and the update check that the
// program imports by name.

#include <windows.h>

#ifdef QZUTILITY_BUILD
#define QZUTILITY_API extern "C" __declspec(dllexport)
#else
#define QZUTILITY_API extern "C" __declspec(dllimport)
#endif

// Opens `subkey` under `root` for reading and writing, creating it when
// missing. Zeroes both out values first; `disposition` receives
// REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY (may be null). Non-zero when
// `*key` is open; close it with RegCloseKey.
QZUTILITY_API BOOL __cdecl qzCreateRegKeyW(HKEY root, const wchar_t* subkey, HKEY* key, DWORD* disposition);

// Reads the string value `name` into `buffer` of `capacity` characters,
// always terminated. Non-zero only for a string value that fits whole.
QZUTILITY_API BOOL __cdecl qzGetRegKeyStrW(HKEY key, const wchar_t* name, wchar_t* buffer, DWORD capacity);

// Writes `value` as the string value `name`. Non-zero on success.
QZUTILITY_API BOOL __cdecl qzSetRegKeyStrW(HKEY key, const wchar_t* name, const wchar_t* value);

// Fetches the update manifest at `manifestUrl` (HTTP or HTTPS, bounded
// time-outs; README.md gives its format) and returns 1 only when it names a
// version of `productId` newer than `currentVersion`, compared as dotted
// numbers. Any failure (no network, unreachable host, an answer other than
// 200, a malformed manifest or version) returns 0.
QZUTILITY_API int __cdecl qzCheckUpdate(const wchar_t* productId, const wchar_t* currentVersion,
                                        const wchar_t* manifestUrl);

// The latest version the manifest gives `productId`, into `buffer` of
// `capacity` characters. Non-zero when the manifest was read and names it.
QZUTILITY_API int __cdecl qzGetLatestVersionW(const wchar_t* productId, const wchar_t* manifestUrl, wchar_t* buffer,
                                              DWORD capacity);
