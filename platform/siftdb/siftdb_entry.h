#pragma once
// The reader library's one export, ordinal 1, cdecl: the database path in the
// narrow code page and the addresses of the four list heads, which it fills.
// The records stay valid for the rest of the process and are never freed.
// Returns the number of contacts in list 2, or -1 when the file is not a
// readable contacts database (the heads are then null).
#include "contacts/records.h"

#if defined(_WIN32)
#define CDV_CDECL __cdecl
#else
#define CDV_CDECL
#endif

extern "C" {
typedef int(CDV_CDECL* SiftDbReadContactsFn)(const char* path, cdv::AuxRecord** aux,
                                             cdv::ContactRecord** contacts, cdv::DataRecord** data,
                                             cdv::MimeTypeRecord** mimeTypes);

int CDV_CDECL SiftDbReadContacts(const char* path, cdv::AuxRecord** aux, cdv::ContactRecord** contacts,
                                 cdv::DataRecord** data, cdv::MimeTypeRecord** mimeTypes);
}

constexpr int kSiftDbReadOrdinal = 1;
