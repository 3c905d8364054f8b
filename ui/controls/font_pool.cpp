#include "ui/controls/font_pool.h"

#include <cwchar>

#include "ui/controls/font_key.h"

TkFontPool& TkFontPool::Instance() {
    static TkFontPool pool;
    return pool;
}

TkFontPool::TkFontPool() : m_faceName(L"Tahoma"), m_baseHeight(-11), m_base{} {
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(m_base), &m_base);
    m_base.lfHeight = m_baseHeight;
    std::wcsncpy(m_base.lfFaceName, m_faceName.c_str(), LF_FACESIZE - 1);
    m_base.lfFaceName[LF_FACESIZE - 1] = L'\0';
    m_base.lfCharSet = ANSI_CHARSET;
    // Key 0 is the base font exactly, with the stock font's own weight.
    if (HFONT base = ::CreateFontIndirectW(&m_base)) m_fonts[0] = base;
}

TkFontPool::~TkFontPool() {
    for (auto& entry : m_fonts) ::DeleteObject(entry.second);
}

HFONT TkFontPool::FontByKey(unsigned long long key) {
    const auto mapKey = static_cast<unsigned short>(FontMapKey(key));
    auto it = m_fonts.find(mapKey);
    if (it != m_fonts.end()) return it->second;

    const FontKeyStyle style = DecodeFontKey(mapKey, m_baseHeight);
    LOGFONTW lf = m_base;
    lf.lfHeight = style.height;
    lf.lfWeight = style.weight;
    lf.lfItalic = style.italic ? 1 : 0;
    lf.lfUnderline = style.underline ? 1 : 0;
    HFONT font = ::CreateFontIndirectW(&lf);
    if (font != nullptr) m_fonts[mapKey] = font;
    return font;
}
