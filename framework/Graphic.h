#pragma once
// The picture classes' common base and the registry that picks a picture
// class by file extension. Portable: the canvas a graphic draws on (TCanvas,
// over a Windows device context) is declared in Graphics.h.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/Classes.h"
#include "framework/Exceptions.h"
#include "framework/Streams.h"

TQ_EXCEPTION_CLASS(EInvalidGraphic, Exception)
TQ_EXCEPTION_CLASS(EInvalidGraphicOperation, Exception)

// A colour as 0x00BBGGRR, the layout of the system's COLORREF.
using TColor = uint32_t;
constexpr TColor RGBColor(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<TColor>(r) | (static_cast<TColor>(g) << 8) | (static_cast<TColor>(b) << 16);
}
constexpr uint8_t ColorRed(TColor c) { return static_cast<uint8_t>(c); }
constexpr uint8_t ColorGreen(TColor c) { return static_cast<uint8_t>(c >> 8); }
constexpr uint8_t ColorBlue(TColor c) { return static_cast<uint8_t>(c >> 16); }
constexpr TColor clBlack = 0x000000, clWhite = 0xFFFFFF;

struct TRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
};
constexpr TRect Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) { return {left, top, right, bottom}; }

class TCanvas;

class TGraphic : public TPersistent {
public:
    std::string ClassName() const override { return "TGraphic"; }
    virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;
    virtual bool Empty() const = 0;
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    virtual void SetWidth(int32_t value) = 0;
    virtual void SetHeight(int32_t value) = 0;
    virtual bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value) { FTransparent = value; }
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) = 0;
    // Through a memory copy of the whole file; raises EFOpenError / EFCreateError.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

protected:
    bool FTransparent = false;
};

using TGraphicClass = std::function<std::unique_ptr<TGraphic>()>;

// A picture holds one graphic of whatever class reads its file; the classes
// register themselves for their file extensions.
class TPicture : public TPersistent {
public:
    std::string ClassName() const override { return "TPicture"; }
    static void RegisterFileFormat(const std::string& extension, const std::string& description, TGraphicClass create);
    static void UnregisterFileFormat(const std::string& extension);
    // The description registered for an extension (without the dot), or "".
    static std::string FileFormatDescription(const std::string& extension);
    // A new graphic of the class registered for the file's extension, or null.
    static std::unique_ptr<TGraphic> CreateForFile(const std::string& fileName);

    // Raises EInvalidGraphic for an extension that no class reads.
    void LoadFromFile(const std::string& fileName);
    TGraphic* Graphic() const { return FGraphic.get(); }
    void SetGraphic(std::unique_ptr<TGraphic> graphic) { FGraphic = std::move(graphic); }

private:
    std::unique_ptr<TGraphic> FGraphic;
};
