#pragma once
// Colour reduction of a screenshot to at most 256 colours: an octree over the
// bits of red, green and blue whose deepest inner nodes are folded into
// leaves whenever more than 256 leaves exist.
#include <array>
#include <cstdint>
#include <memory>

struct TPaletteEntry {
    uint8_t Red = 0, Green = 0, Blue = 0;
    bool operator==(const TPaletteEntry&) const = default;
};

using TScreenshotPalette = std::array<TPaletteEntry, 256>;

class TColourOctree {
public:
    TColourOctree();
    ~TColourOctree();
    TColourOctree(const TColourOctree&) = delete;
    TColourOctree& operator=(const TColourOctree&) = delete;

    // Adds one pixel, then reduces until at most 256 leaves remain.
    void AddColour(uint8_t red, uint8_t green, uint8_t blue);
    int LeafCount() const { return FLeafCount; }
    // The leaves' mean colours, depth first with children in index order;
    // the entries past the leaf count are black. Returns the leaf count.
    int GetPalette(TScreenshotPalette& palette) const;

private:
    struct TNode;
    void ReduceOne();

    std::unique_ptr<TNode> FRoot;
    std::array<TNode*, 8> FReducible{};  // per level 0-7, newest first
    int FLeafCount = 0;
};
