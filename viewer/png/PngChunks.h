#pragma once
// The chunks of a PNG picture: the base class, which keeps any chunk's data
// and writes it back unchanged, the classes of the chunks the picture
// understands, and the list that holds them.
#include <cstdint>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "framework/Classes.h"
#include "framework/Graphic.h"
#include "framework/Streams.h"
#include "viewer/png/PngImageMemory.h"

class TPNGObject;

class TChunk : public TObject {
public:
    explicit TChunk(TPNGObject* owner) : FOwner(owner) {}
    std::string ClassName() const override { return "TChunk"; }
    // The chunk type this class handles; empty for the base class.
    virtual std::string ChunkType() const { return ""; }
    // Copies another chunk of the same class (EPngError otherwise).
    virtual void Assign(const TChunk& source);
    // Reads size bytes of data and the CRC (EPngInvalidCRC on a mismatch),
    // then the class's own checks. False ends loading quietly.
    virtual bool LoadFromStream(TStream& stream, const std::string& type, uint32_t size);
    virtual void SaveToStream(TStream& stream);

    const std::string& Name() const { return FName; }
    void SetName(const std::string& type) { FName = type; }
    const std::vector<uint8_t>& Data() const { return FData; }
    uint32_t DataSize() const { return static_cast<uint32_t>(FData.size()); }
    TPNGObject* Owner() const { return FOwner; }
    // A chunk whose data breaks its layout is read within its bounds and then
    // left out of the picture.
    bool Discarded() const { return FDiscarded; }

    // Writes length, type, data and the CRC of type and data.
    static void WriteChunk(TStream& stream, const std::string& type, const uint8_t* data, uint32_t size);

protected:
    std::vector<uint8_t> FData;
    TPNGObject* FOwner;
    std::string FName;
    bool FDiscarded = false;
};

class TChunkIHDR : public TChunk {
public:
    using TChunk::TChunk;
    std::string ClassName() const override { return "TChunkIHDR"; }
    std::string ChunkType() const override { return "IHDR"; }
    void Assign(const TChunk& source) override;
    bool LoadFromStream(TStream& stream, const std::string& type, uint32_t size) override;
    void SaveToStream(TStream& stream) override;

    // Makes the image memory for the fields below (EPNGOutMemory).
    void PrepareImageData();
    TPngImageMemory& Image() const;
    bool HasImage() const { return FImage != nullptr; }
    void SetImage(std::unique_ptr<TPngImageMemory> image) { FImage = std::move(image); }
    // The DIB bit count for the colour type and bit depth.
    int DibBitCount() const;

    uint32_t Width = 0, Height = 0;
    uint8_t BitDepth = 0, ColorType = 0, CompressionMethod = 0, FilterMethod = 0, InterlaceMethod = 0;

private:
    std::unique_ptr<TPngImageMemory> FImage;
};

class TChunkPLTE : public TChunk {
public:
    using TChunk::TChunk;
    std::string ClassName() const override { return "TChunkPLTE"; }
    std::string ChunkType() const override { return "PLTE"; }
    void Assign(const TChunk& source) override;
    bool LoadFromStream(TStream& stream, const std::string& type, uint32_t size) override;
    void SaveToStream(TStream& stream) override;
    int Count() const { return FCount; }
    void SetCount(int count) { FCount = count; }
    // The palette entry (EPngError past the count).
    TRGBQuad Item(int index) const;

private:
    int FCount = 0;
};

class TChunktRNS : public TChunk {
public:
    TChunktRNS(TPNGObject* owner);
    std::string ClassName() const override { return "TChunktRNS"; }
    std::string ChunkType() const override { return "tRNS"; }
    void Assign(const TChunk& source) override;
    bool LoadFromStream(TStream& stream, const std::string& type, uint32_t size) override;
    void SaveToStream(TStream& stream) override;

    // The colour that shows the canvas (bit transparency), as it is drawn.
    TColor TransparentColor() const;
    // Makes colour the only transparent one. On a palette picture whose
    // colour table lacks it the chunk marks nothing (Discarded()).
    void SetTransparentColor(TColor colour);
    bool BitTransparency() const { return FBitTransparency; }

    uint8_t PaletteAlpha[256];

private:
    bool FBitTransparency = false;
};

class TChunkgAMA : public TChunk {
public:
    // A new chunk holds the value 1.
    explicit TChunkgAMA(TPNGObject* owner) : TChunk(owner) { SetGamma(1); }
    std::string ClassName() const override { return "TChunkgAMA"; }
    std::string ChunkType() const override { return "gAMA"; }
    bool LoadFromStream(TStream& stream, const std::string& type, uint32_t size) override;
    uint32_t Gamma() const;
    void SetGamma(uint32_t value);
};

class TChunkIDAT : public TChunk {
public:
    using TChunk::TChunk;
    std::string ClassName() const override { return "TChunkIDAT"; }
    std::string ChunkType() const override { return "IDAT"; }
    bool LoadFromStream(TStream& stream, const std::string& type, uint32_t size) override;
    void SaveToStream(TStream& stream) override;
};

class TChunkIEND : public TChunk {
public:
    using TChunk::TChunk;
    std::string ClassName() const override { return "TChunkIEND"; }
    std::string ChunkType() const override { return "IEND"; }
};

class TChunkpHYs : public TChunk {
public:
    using TChunk::TChunk;
    std::string ClassName() const override { return "TChunkpHYs"; }
    std::string ChunkType() const override { return "pHYs"; }
    void Assign(const TChunk& source) override;
    bool LoadFromStream(TStream& stream, const std::string& type, uint32_t size) override;
    void SaveToStream(TStream& stream) override;
    uint32_t PPUnitX = 0, PPUnitY = 0;
    uint8_t UnitType = 0;
};

class TChunktIME : public TChunk {
public:
    using TChunk::TChunk;
    std::string ClassName() const override { return "TChunktIME"; }
    std::string ChunkType() const override { return "tIME"; }
    void Assign(const TChunk& source) override;
    bool LoadFromStream(TStream& stream, const std::string& type, uint32_t size) override;
    void SaveToStream(TStream& stream) override;
    uint16_t Year = 0;
    uint8_t Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};

class TChunktEXt : public TChunk {
public:
    using TChunk::TChunk;
    std::string ClassName() const override { return "TChunktEXt"; }
    std::string ChunkType() const override { return "tEXt"; }
    void Assign(const TChunk& source) override;
    bool LoadFromStream(TStream& stream, const std::string& type, uint32_t size) override;
    void SaveToStream(TStream& stream) override;
    std::string Keyword, Text;
};

class TChunkzTXt : public TChunktEXt {
public:
    using TChunktEXt::TChunktEXt;
    std::string ClassName() const override { return "TChunkzTXt"; }
    std::string ChunkType() const override { return "zTXt"; }
    bool LoadFromStream(TStream& stream, const std::string& type, uint32_t size) override;
    void SaveToStream(TStream& stream) override;
};

// A new chunk of the class registered for the type (TChunk for unknown types).
std::unique_ptr<TChunk> CreateChunk(const std::string& type, TPNGObject* owner);
// True when a class other than TChunk handles the type.
bool ChunkTypeKnown(const std::string& type);

// A growable array of pointers with an owner.
class TPNGPointerList : public TObject {
public:
    explicit TPNGPointerList(TPNGObject* owner) : FOwner(owner) {}
    std::string ClassName() const override { return "TPNGPointerList"; }
    TPNGObject* Owner() const { return FOwner; }
    int Count() const { return static_cast<int>(FItems.size()); }
    void SetCount(int count) { FItems.resize(static_cast<size_t>(count), nullptr); }
    void Add(void* item) { FItems.push_back(item); }
    void* Get(int index) const { return FItems.at(static_cast<size_t>(index)); }
    void Put(int index, void* item) { FItems.at(static_cast<size_t>(index)) = item; }
    void* Remove(int index);

protected:
    std::vector<void*> FItems;

private:
    TPNGObject* FOwner;
};

// The chunks of one picture, which it owns.
class TPNGList : public TPNGPointerList {
public:
    using TPNGPointerList::TPNGPointerList;
    ~TPNGList() override { Clear(); }
    std::string ClassName() const override { return "TPNGList"; }
    TChunk* Item(int index) const { return static_cast<TChunk*>(Get(index)); }
    void Add(std::unique_ptr<TChunk> chunk) { TPNGPointerList::Add(chunk.release()); }
    // Takes the chunk out of the list and frees it.
    void RemoveChunk(TChunk* chunk);
    void Clear();
    // The first chunk of exactly class T, or null.
    template <class T>
    T* ItemFromClass() const {
        for (void* p : FItems)
            if (typeid(*static_cast<TChunk*>(p)) == typeid(T)) return static_cast<T*>(static_cast<TChunk*>(p));
        return nullptr;
    }
};
