#pragma once
// The page fonts on a real device context: "Times New Roman" in the item's
// size, underlined for links, italic or bold by the item's kind.
#include <windows.h>

#include <array>
#include <map>
#include <utility>

#include "viewer/TextMeasurer.h"

class GdiTextMeasurer : public TextMeasurer {
public:
    // Measures on dc, whose font it changes; the dc's own font is put back
    // when the measurer goes.
    explicit GdiTextMeasurer(HDC dc);
    ~GdiTextMeasurer() override;
    GdiTextMeasurer(const GdiTextMeasurer&) = delete;
    GdiTextMeasurer& operator=(const GdiTextMeasurer&) = delete;

    int32_t SelectFont(int32_t kind, int32_t size) override;
    int32_t TextWidth(const std::string& text) override;

    // The font of an item of this kind and size (owned by the measurer),
    // for painting the items on the same device.
    HFONT Font(int32_t kind, int32_t size);
    // The font's height in pixels as the layout wants it (negative).
    int32_t FontHeight(int32_t size) const;

private:
    struct MeasuredFont {
        HFONT Font = nullptr;
        std::array<int32_t, 256> Widths{};  // advance width of each byte
    };
    MeasuredFont& Measured(int32_t kind, int32_t size);

    HDC Dc_;
    HGDIOBJ OriginalFont_ = nullptr;
    std::map<std::pair<int32_t, int32_t>, MeasuredFont> Fonts_;
    const MeasuredFont* Selected_ = nullptr;
};
