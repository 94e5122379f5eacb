#pragma once
// The parts of one picture in the object window and their drawing order. Parts are appended
// as the turtle produces them (no per-insert cost beyond the append) and ordered once, when
// the picture ends: far to near (larger key first), and among equal keys the later part
// first, so that the earlier one ends up on top.

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <span>
#include <vector>

namespace pax {

enum class PartType : uint8_t {
    Invalid = 0,
    ObjectReset = 1,
    Point = 2,
    Line = 3,
    Empty = 4,
    Polygon = 6,
    Box = 7,
    ScaledSprite = 8,
    Circle = 9,
    Sprite = 10,
    Text = 11,
};

// The start of every part record. Key: depth, larger is farther and drawn earlier.
struct tPartHeader {
    PartType Type = PartType::Invalid;
    double Key = 0;
};

// The surface rows a part can touch (RowsOfPart) and about what drawing it costs.
struct PartRows {
    int top = 0, bottom = 0;   // bottom exclusive; no rows when bottom <= top
    float work = 0;            // about the nanoseconds it takes to draw

    bool Meets(int bandTop, int bandBottom) const { return top < bottom && top < bandBottom && bottom > bandTop; }
};

// The surface columns a part can touch, as its rows: right exclusive, none when right <= left.
struct PartColumns {
    int left = 0, right = 0;
};

// The columns and rows that any of a list's parts can touch, in surface pixels (right and
// bottom exclusive), beyond the surface too.
struct PartBox {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;

    bool Empty() const { return right <= left || bottom <= top; }
    void Add(const PartRows& rows, const PartColumns& columns) {
        if (rows.bottom <= rows.top || columns.right <= columns.left) return;
        left = std::min(left, columns.left), right = std::max(right, columns.right);
        top = std::min(top, rows.top), bottom = std::max(bottom, rows.bottom);
    }
};

class PartList {
public:
    static constexpr int32_t MaxParts = 32000;
    // An exporter writes whole figures: it may raise the limit this far.
    static constexpr int32_t MaxExportParts = 8000000;

    PartList();

    // Empties the list, claiming it first where that is owed (ClaimOnReuse).
    void Clear();
    // Empties the list and leaves the claim owed to ClaimOwed: for a caller with more urgent
    // work right after the Clear.
    void ClearClaimingLater();
    void ClaimOwed();
    int32_t Count() const { return static_cast<int32_t>(m_entries.size()); }
    bool Full() const { return Count() >= m_limit; }
    // Parts per picture, held within 1 .. MaxExportParts (MaxParts until changed).
    void SetLimit(int32_t limit);
    int32_t Limit() const { return m_limit; }
    // Appends part with its current key and the rows it can touch; false (nothing stored) when
    // the list is full. The rows come with the entry, so that sharing out the parts does not
    // visit each record again in drawing order, a fetch from anywhere in part memory. The
    // columns it can touch (by default every one) only widen the list's box.
    bool Insert(tPartHeader* part, const PartRows& rows, const PartColumns& columns = {INT_MIN, INT_MAX});
    // What the parts appended since the last Clear can touch, by their rows and columns.
    const PartBox& Box() const { return m_box; }
    // Puts the parts into drawing order. Stable in cost: a radix sort on the keys' bits.
    void Sort();
    // Takes the entries and their rows into this core's cache for writing, unchanged
    // (ClaimForWriting).
    void ClaimForWriting();
    // Another core has read the list: the next Clear claims it first, so that the claim falls
    // to the walk that writes the list again.
    void ClaimOnReuse() { m_claimOnClear = true; }
    // Part i in drawing order (after Sort), its rows and its type.
    tPartHeader* operator[](int32_t i) const { return m_entries[static_cast<size_t>(i)].part; }
    const PartRows& RowsOf(int32_t i) const { return m_entries[static_cast<size_t>(i)].rows; }
    PartType TypeOf(int32_t i) const { return m_entries[static_cast<size_t>(i)].type; }
    // The rows of every part in drawing order, side by side (after Sort): the drawing threads
    // look through them for the parts on their rows.
    std::span<const PartRows> Rows() const { return m_rows; }
    // Parts of that type in the list.
    int32_t CountOf(PartType type) const { return m_typeCounts[static_cast<uint8_t>(type)]; }

private:
    struct Entry {
        uint64_t order;   // ascending order = drawing order
        tPartHeader* part;
        PartRows rows;
        PartType type;
    };

    std::vector<Entry> m_entries;
    std::vector<Entry> m_scratch;
    std::vector<PartRows> m_rows;
    std::array<int32_t, 256> m_typeCounts{};
    PartBox m_box;

    int32_t m_limit = MaxParts;
    bool m_claimOnClear = false;
    size_t m_owedEntries = 0;   // entries to claim, of the list before the last Clear

public:
    // The parts in order as a plain view that holds the entries' address. A loop over the
    // parts through the list loads that address from the list on every part, and in some
    // places of the list in memory that load waited on the drawing's stores: a shared drawing
    // took 15% longer for where the window happened to be allocated.
    class Order {
    public:
        tPartHeader* operator[](int32_t i) const { return m_entries[i].part; }

    private:
        friend class PartList;
        explicit Order(const Entry* entries) : m_entries(entries) {}
        const Entry* m_entries;
    };
    Order InOrder() const { return Order(m_entries.data()); }
};

// The drawing-order code of a key: ascending codes are descending keys (0.0 and -0.0 equal).
uint64_t PartOrderCode(double key);

}  // namespace pax
