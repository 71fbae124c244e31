#pragma once

#include <QFont>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kestrune {

// The width of the widest of many texts in one font, without measuring them all: measuring 80,000
// names with the font's metrics costs several times a whole list fill.
//
// Each text added gets an estimate, the sum of its characters' advances (kerning and shaping
// aside), from a table that measures each character once. Only the few texts with the largest
// estimates are kept, and only they are measured exactly, when the width is asked for.
class WidestText {
public:
    // Forgets the texts and measures in this font from now on; until the first call nothing is
    // measured and the width is 0.
    void Reset(const QFont& font);
    void Clear();
    void Add(std::string_view utf8);
    // The advance of the widest text added, in pixels; 0 when none.
    int Width();

private:
    static constexpr std::size_t kCandidates = 32;

    int Advance(char32_t c);
    int Estimate(std::string_view utf8);

    QFont m_font;
    std::array<int, 128> m_ascii{};
    std::unordered_map<char32_t, int> m_other;
    std::vector<std::pair<int, std::string>> m_candidates;  // (estimate, text), at most kCandidates
    int m_smallest = 0;  // the smallest estimate among the candidates once they are full
    int m_width = 0;     // the exact width of the candidates; -1 when they changed since it was measured
};

}  // namespace kestrune
