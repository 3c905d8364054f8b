#pragma once
// The updater's window: a small frameless panel that names the product and
// the installed version, says what the update manifest offers, and links to
// the download page. It closes with its button or Escape.
#include <windows.h>

#include <string>

#include "platform/uprovia/updater_args.h"
#include "ui/controls/hyperlink_impl.h"
#include "ui/framework/gdi.h"
#include "ui/framework/window_impl.h"

namespace uprovia {

class CUpdaterWindow : public fw::CWindowImpl<CUpdaterWindow> {
public:
    static constexpr int kWidth = 480;
    static constexpr int kHeight = 230;
    static constexpr int kCloseId = 1;  // IDOK: Enter closes as well
    static fw::WindowClassInfo GetWndClassInfo();

    CUpdaterWindow() = default;
    ~CUpdaterWindow() override;

    // Shows the window centred on its monitor and starts reading the
    // manifest at `manifestUrl` in the background.
    HWND Open(const UpdaterRequest& request, const std::wstring& manifestUrl);

    const std::wstring& ProductLine() const { return m_product; }
    const std::wstring& VersionLine() const { return m_version; }
    const std::wstring& StatusLine() const { return m_status; }
    bool CheckDone() const { return m_checkDone; }
    const cdv::CHyperLink& DownloadLink() const { return m_link; }

    bool ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnFinalMessage(HWND) override;

private:
    void OnCreate();
    void OnPaint();
    void StartCheck(const std::wstring& productId, const std::wstring& manifestUrl);

    std::wstring m_product;
    std::wstring m_version;
    std::wstring m_installed;
    std::wstring m_status;
    bool m_checkDone = false;
    fw::GdiFont m_titleFont;
    fw::GdiFont m_textFont;
    fw::GdiFont m_linkFont;  // declared before the link, which uses it until it goes
    cdv::CHyperLink m_link;
    HWND m_close = nullptr;
};

// Runs the updater: one window per program instance; a second start brings
// the open one forward. Returns the process exit code.
int RunUpdater(const std::vector<std::wstring>& args, const std::wstring& manifestUrl);

}  // namespace uprovia
