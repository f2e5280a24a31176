#include "editor/crashreport/core/report/ColourOctree.h"

struct TColourOctree::TNode {
    bool Leaf = false;
    uint32_t PixelCount = 0;
    // 64-bit: a wall of monitors has more than 2^32 / 255 pixels of one colour.
    uint64_t RedSum = 0, GreenSum = 0, BlueSum = 0;
    TNode* NextReducible = nullptr;
    std::array<std::unique_ptr<TNode>, 8> Children;
};

namespace {
constexpr int LeafLevel = 8;
constexpr int MaxLeaves = 256;
}  // namespace

TColourOctree::TColourOctree() = default;

// The tree is at most nine nodes deep, so freeing it recurses little.
TColourOctree::~TColourOctree() = default;

void TColourOctree::AddColour(uint8_t red, uint8_t green, uint8_t blue)
{
    std::unique_ptr<TNode>* slot = &FRoot;
    for (int level = 0;; ++level) {
        if (!*slot) {
            *slot = std::make_unique<TNode>();
            TNode* made = slot->get();
            if (level == LeafLevel) {
                made->Leaf = true;
                ++FLeafCount;
            } else {
                made->NextReducible = FReducible[static_cast<size_t>(level)];
                FReducible[static_cast<size_t>(level)] = made;
            }
        }
        TNode* node = slot->get();
        if (node->Leaf) {
            ++node->PixelCount;
            node->RedSum += red;
            node->GreenSum += green;
            node->BlueSum += blue;
            break;
        }
        const int bit = 7 - level;
        const int index = ((red >> bit) & 1) * 4 + ((green >> bit) & 1) * 2 + ((blue >> bit) & 1);
        slot = &node->Children[static_cast<size_t>(index)];
    }
    while (FLeafCount > MaxLeaves)
        ReduceOne();
}

// The deepest level that still has an inner node gives its newest one; its
// children are all leaves then, and become one.
void TColourOctree::ReduceOne()
{
    int level = 7;
    while (level > 0 && FReducible[static_cast<size_t>(level)] == nullptr)
        --level;
    TNode* node = FReducible[static_cast<size_t>(level)];
    if (node == nullptr)
        return;
    FReducible[static_cast<size_t>(level)] = node->NextReducible;
    node->NextReducible = nullptr;
    int children = 0;
    for (auto& child : node->Children) {
        if (!child)
            continue;
        node->PixelCount += child->PixelCount;
        node->RedSum += child->RedSum;
        node->GreenSum += child->GreenSum;
        node->BlueSum += child->BlueSum;
        child.reset();
        ++children;
    }
    node->Leaf = true;
    FLeafCount += 1 - children;
}

int TColourOctree::GetPalette(TScreenshotPalette& palette) const
{
    palette.fill(TPaletteEntry{});
    int count = 0;
    // Depth first without recursion: a stack of at most 9 levels x 8 nodes.
    std::array<const TNode*, 8 * (LeafLevel + 1)> stack{};
    size_t top = 0;
    if (FRoot)
        stack[top++] = FRoot.get();
    while (top > 0) {
        const TNode* node = stack[--top];
        if (node->Leaf) {
            if (count < MaxLeaves && node->PixelCount > 0) {
                TPaletteEntry& entry = palette[static_cast<size_t>(count)];
                entry.Red = static_cast<uint8_t>(node->RedSum / node->PixelCount);
                entry.Green = static_cast<uint8_t>(node->GreenSum / node->PixelCount);
                entry.Blue = static_cast<uint8_t>(node->BlueSum / node->PixelCount);
            }
            ++count;
            continue;
        }
        // Pushed last child first, so child 0 comes out first.
        for (int i = 7; i >= 0; --i)
            if (node->Children[static_cast<size_t>(i)])
                stack[top++] = node->Children[static_cast<size_t>(i)].get();
    }
    return count < MaxLeaves ? count : MaxLeaves;
}
