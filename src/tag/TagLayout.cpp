#include "tag/TagLayout.h"

#include <algorithm>
#include <cstring>

namespace kestrune::tag {

namespace {

constexpr unsigned long long kId3v1Size = 128;

}  // namespace

ByteRun ChangedRun(const ByteVector& before, const ByteVector& after, unsigned long long offset)
{
    const char* a = before.data();
    const char* b = after.data();
    const size_t size = std::min(before.size(), after.size());
    // Compared a block at a time (memcmp is many times faster than a byte loop on a picture's bytes).
    constexpr size_t kBlock = 256;
    size_t first = 0;
    while (first + kBlock <= size && std::memcmp(a + first, b + first, kBlock) == 0)
        first += kBlock;
    while (first < size && a[first] == b[first])
        ++first;
    if (first == size && before.size() == after.size())
        return {};
    size_t end = after.size();
    if (before.size() == after.size()) {
        while (end >= first + kBlock && std::memcmp(a + end - kBlock, b + end - kBlock, kBlock) == 0)
            end -= kBlock;
        while (end > first && a[end - 1] == b[end - 1])
            --end;
    }
    return {offset + first, after.mid(static_cast<unsigned>(first), static_cast<unsigned>(end - first))};
}

unsigned long long RewrittenRegionSize(unsigned long long tagSize, unsigned long long oldSize, unsigned growPadding,
                                       unsigned long long audioSize, bool endsInId3v1)
{
    unsigned long long size = tagSize <= oldSize ? oldSize : tagSize + growPadding;
    if (endsInId3v1) {
        const unsigned long long id3v1At = (size + audioSize) % kFilePage;
        if (id3v1At + kId3v1Size > kFilePage)
            size += kFilePage - id3v1At;
    }
    return size;
}

}  // namespace kestrune::tag
