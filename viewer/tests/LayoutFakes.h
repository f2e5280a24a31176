#pragma once
// Stand-ins for the page view's fonts and the picture decoder, with widths
// and sizes simple enough to reckon positions by hand.
#include <map>
#include <string>
#include <vector>

#include "viewer/PictureLoader.h"
#include "viewer/TextMeasurer.h"

// Every byte is size / 2 pixels wide; a font is 4/3 of its points high
// (12 points: 6 pixels a byte, height -16, so lines of 18).
class FakeMeasurer : public TextMeasurer {
public:
    int32_t SelectFont(int32_t kind, int32_t size) override;
    int32_t TextWidth(const std::string& text) override;
    int32_t Size = 12;
};

// A picture of a size and nothing else.
class FakePicture : public TGraphic {
public:
    FakePicture(int32_t w, int32_t h) : W(w), H(h) {}
    void Draw(TCanvas&, const TRect&) override {}
    bool Empty() const override { return false; }
    int32_t Width() const override { return W; }
    int32_t Height() const override { return H; }
    void SetWidth(int32_t value) override { W = value; }
    void SetHeight(int32_t value) override { H = value; }
    void LoadFromStream(TStream&) override {}
    void SaveToStream(TStream&) override {}
    int32_t W, H;
};

// Knows the pictures registered by path; any other path fails as a picture
// file that cannot be read.
class FakePictures : public PictureLoader {
public:
    std::unique_ptr<TGraphic> Load(const std::string& path) override;
    std::map<std::string, std::pair<int32_t, int32_t>> Known;
    std::vector<std::string> Asked;
};
