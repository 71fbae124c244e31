#include "framework/WidestText.h"

#include <QFontMetrics>
#include <QString>

#include <algorithm>

namespace kestrune {

void WidestText::Reset(const QFont& font)
{
    m_font = font;
    const QFontMetrics metrics(m_font);
    for (char32_t c = 0; c < m_ascii.size(); ++c)
        m_ascii[c] = metrics.horizontalAdvance(QChar(c));
    m_other.clear();
    Clear();
}

void WidestText::Clear()
{
    m_candidates.clear();
    m_smallest = 0;
    m_width = 0;
}

int WidestText::Advance(char32_t c)
{
    if (c < m_ascii.size())
        return m_ascii[c];
    const auto [it, added] = m_other.try_emplace(c, 0);
    if (added) {
        const char32_t one[] = {c};
        it->second = QFontMetrics(m_font).horizontalAdvance(QString::fromUcs4(one, 1));
    }
    return it->second;
}

// UTF-8 decoded loosely: a byte that starts no valid sequence counts as one character of its own,
// as the list shows it (a replacement character).
int WidestText::Estimate(std::string_view utf8)
{
    int sum = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            sum += m_ascii[lead];
            ++i;
            continue;
        }
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        char32_t c = length == 1 ? 0xFFFD : lead & (0x7F >> length);
        std::size_t next = i + 1;
        for (; next < i + length && next < utf8.size() && (static_cast<unsigned char>(utf8[next]) & 0xC0) == 0x80;
             ++next)
            c = (c << 6) | (static_cast<unsigned char>(utf8[next]) & 0x3F);
        if (next != i + length)
            c = 0xFFFD;
        sum += Advance(c);
        i = next;
    }
    return sum;
}

namespace {
bool LessEstimate(const std::pair<int, std::string>& a, const std::pair<int, std::string>& b)
{
    return a.first < b.first;
}
}  // namespace

void WidestText::Add(std::string_view utf8)
{
    const int estimate = Estimate(utf8);
    if (m_candidates.size() == kCandidates && estimate <= m_smallest)
        return;
    m_width = -1;
    if (m_candidates.size() == kCandidates) {
        const auto smallest = std::min_element(m_candidates.begin(), m_candidates.end(), LessEstimate);
        *smallest = {estimate, std::string(utf8)};
    } else {
        m_candidates.emplace_back(estimate, std::string(utf8));
    }
    if (m_candidates.size() == kCandidates)
        m_smallest = std::min_element(m_candidates.begin(), m_candidates.end(), LessEstimate)->first;
}

int WidestText::Width()
{
    if (m_width < 0) {
        const QFontMetrics metrics(m_font);
        m_width = 0;
        for (const auto& candidate : m_candidates)
            m_width = std::max(m_width, metrics.horizontalAdvance(QString::fromStdString(candidate.second)));
    }
    return m_width;
}

}  // namespace kestrune
