#pragma once
// The Windows program exports the recovery engine from its executable. The
// engine's own translation units are compiled with CARDIVANE_EXPORT_ENGINE in
// the Windows trees, which puts the class into the export table of whatever
// executable links it; callers see an ordinary declaration.
#if defined(_WIN32) && defined(CARDIVANE_EXPORT_ENGINE)
#define CARDIVANE_ENGINE_API __declspec(dllexport)
#else
#define CARDIVANE_ENGINE_API
#endif
