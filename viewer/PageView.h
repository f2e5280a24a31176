#pragma once
// QMHtml, the window that shows one help page: it loads the page file, has
// it laid out, paints the items through an off-screen bitmap, scrolls by
// keys, wheel and scroll bar, follows links and keeps a back/forward history.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/Controls.h"
#include "viewer/GdiTextMeasurer.h"
#include "viewer/PageHistory.h"
#include "viewer/PageLayout.h"
#include "viewer/PngPictureLoader.h"
#include "viewer/XmlParser.h"

class QMHtml : public TWinControl {
public:
    explicit QMHtml(TComponent* owner);
    ~QMHtml() override;
    std::string ClassName() const override { return "QMHtml"; }

    // A page that cannot be read shows empty; the page-loaded event fires
    // after every load.
    void LoadPage(const std::string& path, bool withHistory);
    void Relayout();
    bool CanGoBack() const { return History_.CanGoBack(); }
    bool CanGoForward() const { return History_.CanGoForward(); }
    void Back();
    void Forward();
    void SetSearchWords(const Sentence& words);
    int32_t HitCount() const { return Layout_.HitCount(); }
    void NextHit();
    void ScrollToHit(int32_t n);

    const std::string& PagePath() const { return PagePath_; }
    std::string PageTitle() const { return Layout_.Title(); }
    int32_t ScrollPosition() const { return Scroll_; }
    int32_t CurrentHit() const { return CurrentHit_; }
    int32_t BaseLineHeight() const { return Layout_.BaseLineHeight; }
    const std::string& HoveredLink() const { return Hovered_; }
    bool HandCursor() const { return Cursor_ == IDC_HAND; }
    const disphtml& Layout() const { return Layout_; }

    std::function<void(QMHtml* sender)> OnPageLoaded;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;

private:
    void Paint();
    void DropPage();
    void ResizeBitmap(int width, int height);
    void ApplyScroll();
    void ScrollBy(int64_t pixels);
    void SetScrollBar();
    void VScroll(int code, int position);
    void Wheel(int delta);

    // The off-screen picture: its device context outlives every resize, so
    // the measurer that works on it stays valid.
    HDC Dc_ = nullptr;
    HBITMAP Bitmap_ = nullptr;
    HGDIOBJ OldBitmap_ = nullptr;
    int BitmapWidth_ = 0, BitmapHeight_ = 0;
    std::unique_ptr<GdiTextMeasurer> Measurer_;
    PngPictureLoader Pictures_;
    xml_parser Parser_;
    disphtml Layout_;

    std::string Hovered_;
    WheelRest Wheel_;
    PageHistory History_;
    int32_t Scroll_ = 0;
    std::string PagePath_;
    int32_t CurrentHit_ = 0;
    LPCSTR Cursor_ = IDC_ARROW;
    bool OutOfMemory_ = false;  // the page last loaded did not fit in memory
};
