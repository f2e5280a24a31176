#pragma once
// A text split at delimiter bytes into pieces, each keeping its delimiter.
#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

using DelimiterSet = std::bitset<256>;
// The set the viewer splits queries with: the blank alone.
DelimiterSet BlankDelimiters();

class Sentence {
public:
    // Each piece runs up to and including the next delimiter; whatever
    // follows the last delimiter is the last piece, even when empty, so a
    // text of n delimiters gives n + 1 pieces.
    void Split(const std::string& text, const DelimiterSet& delimiters);
    int32_t Count() const { return static_cast<int32_t>(Pieces.size()); }
    // Piece i (from 0) as its users read it: trimmed of blanks and control characters.
    std::string Word(int32_t i) const;

    std::vector<std::string> Pieces;
};
