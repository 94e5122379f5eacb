#include "render/windows/part_list.h"

#include <algorithm>
#include <array>
#include <bit>

#include "foundation/cache_lines.h"

namespace pax {

namespace {

constexpr int DigitBits = 11;
constexpr int Digits = (64 + DigitBits - 1) / DigitBits;
constexpr uint64_t DigitMask = (uint64_t(1) << DigitBits) - 1;
constexpr size_t Buckets = size_t(1) << DigitBits;
// Below this many parts a comparison sort is cheaper than the radix passes' histograms.
constexpr size_t SmallList = 256;

}  // namespace

uint64_t PartOrderCode(double key) {
    if (key == 0) key = 0;   // one code for both zeros
    constexpr uint64_t Sign = uint64_t(1) << 63;
    uint64_t bits = std::bit_cast<uint64_t>(key);
    // Monotone in the key: negative numbers mirrored below the positive ones...
    bits = (bits & Sign) ? ~bits : (bits | Sign);
    // ...and turned round, so that the farthest part comes first.
    return ~bits;
}

PartList::PartList() {
    m_entries.reserve(MaxParts);
    m_scratch.reserve(MaxParts);
    m_rows.reserve(MaxParts);
}

void PartList::SetLimit(int32_t limit) { m_limit = std::clamp(limit, 1, MaxExportParts); }

void PartList::Clear() {
    ClearClaimingLater();
    ClaimOwed();
}

void PartList::ClearClaimingLater() {
    if (m_claimOnClear) m_owedEntries = std::max(m_owedEntries, m_entries.size());
    m_claimOnClear = false;
    m_entries.clear();
    m_typeCounts.fill(0);
    m_box = {};
}

void PartList::ClaimOwed() {
    if (m_owedEntries == 0) return;
    // The entries' storage stays reserved when the list is cleared: its bytes are claimed as
    // bytes, whatever they held.
    pax::ClaimForWriting(m_entries.data(), m_owedEntries * sizeof(Entry));
    pax::ClaimForWriting(m_rows.data(), m_rows.size() * sizeof(PartRows));
    m_owedEntries = 0;
}

void PartList::ClaimForWriting() {
    pax::ClaimForWriting(m_entries.data(), m_entries.size() * sizeof(Entry));
    pax::ClaimForWriting(m_rows.data(), m_rows.size() * sizeof(PartRows));
}

bool PartList::Insert(tPartHeader* part, const PartRows& rows, const PartColumns& columns) {
    if (Full()) return false;
    m_entries.push_back({PartOrderCode(part->Key), part, rows, part->Type});
    m_box.Add(rows, columns);
    ++m_typeCounts[static_cast<uint8_t>(part->Type)];
    return true;
}

void PartList::Sort() {
    // Later parts first among equal keys: the insertion order reversed, then sorted stably.
    const size_t n = m_entries.size();
    m_rows.resize(n);
    const auto takeRows = [&] {
        for (size_t i = 0; i < n; ++i) m_rows[i] = m_entries[i].rows;
    };
    if (n < SmallList) {
        std::reverse(m_entries.begin(), m_entries.end());
        std::stable_sort(m_entries.begin(), m_entries.end(),
                         [](const Entry& a, const Entry& b) { return a.order < b.order; });
        takeRows();
        return;
    }
    std::array<std::array<uint32_t, Buckets>, Digits> counts{};
    for (const Entry& e : m_entries)
        for (int d = 0; d < Digits; ++d) ++counts[d][(e.order >> (d * DigitBits)) & DigitMask];
    // A digit that every key shares orders nothing.
    const uint64_t firstOrder = m_entries[0].order;
    int lastDigit = -1;
    for (int d = 0; d < Digits; ++d)
        if (counts[d][(firstOrder >> (d * DigitBits)) & DigitMask] != n) lastDigit = d;
    if (lastDigit < 0) {   // one key for all
        std::reverse(m_entries.begin(), m_entries.end());
        takeRows();
        return;
    }
    m_scratch.resize(n);
    std::vector<Entry>* from = &m_entries;
    std::vector<Entry>* to = &m_scratch;
    bool reversed = false;
    for (int d = 0; d <= lastDigit; ++d) {
        std::array<uint32_t, Buckets>& count = counts[d];
        if (count[(firstOrder >> (d * DigitBits)) & DigitMask] == n) continue;
        uint32_t sum = 0;
        for (uint32_t& c : count) {
            const uint32_t here = c;
            c = sum;
            sum += here;
        }
        const int shift = d * DigitBits;
        std::vector<Entry>& into = *to;
        // The first pass reads the parts from the last, which reverses them on the way; the
        // last one lays out the rows beside the entries.
        const auto place = [&](const Entry& e) { into[count[(e.order >> shift) & DigitMask]++] = e; };
        const auto placeWithRows = [&](const Entry& e) {
            const uint32_t at = count[(e.order >> shift) & DigitMask]++;
            into[at] = e;
            m_rows[at] = e.rows;
        };
        if (d == lastDigit) {
            if (reversed)
                std::for_each(from->begin(), from->end(), placeWithRows);
            else
                std::for_each(from->rbegin(), from->rend(), placeWithRows);
        } else if (reversed) {
            std::for_each(from->begin(), from->end(), place);
        } else {
            std::for_each(from->rbegin(), from->rend(), place);
        }
        reversed = true;
        std::swap(from, to);
    }
    if (from != &m_entries) m_entries.swap(m_scratch);
}

}  // namespace pax
