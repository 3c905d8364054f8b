#pragma once
// The busy animation: an image strip of equal frames side by side, cycled on
// the control's own timer.

#include <windows.h>

#include <string>

#include "ui/controls/animate_static_base.h"
#include "ui/framework/gdiplus_support.h"

namespace cdv {

class CAnimateImg : public CAnimateStaticBase {
public:
    static constexpr int kStripFrames = 8;
    static constexpr COLORREF kBackground = RGB(240, 240, 239);

    CAnimateImg() = default;
    ~CAnimateImg() override;

    // Replaces the strip; true when an image object exists (even for a file
    // that could not be read, which then shows nothing).
    bool LoadStrip(const std::wstring& path);
    // Eight frames across the strip's width.
    void SplitFrames();
    void SetPeriod(int ms) { m_period = ms; }
    // Moves the control to (x, y) at the size of one frame, on top.
    bool SetPos(int x, int y, UINT flags) override;

    void Start();
    void Stop();

    bool IsRunning() const { return m_running; }
    int Period() const { return m_period; }
    int TimerId() const { return m_timerId; }
    int FrameWidth() const { return m_frameWidth; }
    int FrameHeight() const { return m_frameHeight; }
    int FrameCount() const { return m_frameCount; }
    int CurrentFrame() const { return m_currentFrame; }

    void OnPaint() override;
    void OnTimer(UINT_PTR timerId) override;

protected:
    void OnDestroy() override { m_running = false; }

private:
    bool m_running = false;
    int m_period = 100;
    RECT m_clientRect{};
    int m_timerId = 100;
    int m_frameWidth = 0;
    int m_frameHeight = 0;
    fw::ImagePtr m_image;
    int m_frameCount = 1;
    int m_currentFrame = 0;
};

}  // namespace cdv
