#pragma once
// TkFontPool: the process's Tahoma fonts by 16-bit key (see font_key.h).
// Fonts are created once per key and belong to the pool: select them and
// put the previous font back, never delete them. UI thread only.

#include <windows.h>

#include <map>
#include <string>

class TkFontPool {
public:
    // The one pool, built on first use.
    static TkFontPool& Instance();

    // The font for the low 16 bits of `key`; null only when creation failed
    // (a later call tries again).
    HFONT FontByKey(unsigned long long key);

    virtual ~TkFontPool();
    TkFontPool(const TkFontPool&) = delete;
    TkFontPool& operator=(const TkFontPool&) = delete;

private:
    TkFontPool();

    std::map<unsigned short, HFONT> m_fonts;
    std::wstring m_faceName;
    LONG m_baseHeight;
    LOGFONTW m_base;
};
