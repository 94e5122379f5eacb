#pragma once
// tTurnMemo: the frames that the turtle's turns lead to, remembered by the exact bits of the
// frame before the turn and of the turn itself. A turn is a pure function of those bits, so a
// remembered frame is the very frame the arithmetic would give. Most systems turn among few
// frames: the Koch snowflake's million turns at depth 9 meet 26 frames, and the turn (two
// products, a unit-length correction and a cross product, in extended precision) costs far
// more than finding its result. Walks whose frames hardly repeat (random angles, plants that
// bend at every step) leave the memo alone after a short trial, so they pay almost nothing.

#include <array>
#include <cstdint>
#include <cstring>
#include <limits>

#include "foundation/vector3d.h"
#include "scene/cursor3d.h"

namespace pax {

class tTurnMemo {
public:
    // The kinds of turn: each angle's pair of turns about each axis.
    enum class Kind : uint8_t { Left, Right, PitchDown, PitchUp, RollLeft, RollRight };

    // turn(), the turn of this kind by degrees, applied to cursor's frame, or its remembered
    // result set.
    template <class Turn>
    void Apply(TCursor3d& cursor, Kind kind, const Extended& degrees, Turn turn) {
        if (m_bypass > 0) [[unlikely]] {
            --m_bypass;
            turn();
            return;
        }
        const trCursor3d& frame = cursor.State();
        Set& set = m_sets[SetOf(frame, kind, degrees)];
        for (const Entry& entry : set.ways)
            if (entry.used && entry.kind == kind && pax::SameBits(entry.degrees, degrees) && Holds(entry.before, frame)) {
                cursor.SetFrameBits(entry.after.right, entry.after.heading, entry.after.up);
                Count(true);
                return;
            }
        Entry& entry = set.ways[set.next];
        set.next ^= 1;
        entry.used = true;
        entry.kind = kind;
        std::memcpy(&entry.degrees, &degrees, sizeof degrees);
        entry.before.Take(frame);
        turn();
        entry.after.Take(frame);
        Count(false);
    }

    uint64_t Hits() const { return m_hits; }

private:
    struct Frame {
        tVector3d right, heading, up;
        void Take(const trCursor3d& c) {
            CopyVector(right, c.Right);
            CopyVector(heading, c.Heading);
            CopyVector(up, c.Up);
        }
    };
    struct Entry {
        bool used = false;
        Kind kind = Kind::Left;
        Extended degrees = 0;
        Frame before, after;
    };
    // Two ways a set: a pair of frames that falls into one set does not drive the other out.
    struct Set {
        std::array<Entry, 2> ways;
        uint8_t next = 0;   // the way the next new frame takes
    };
    static constexpr int SetBits = 7;
    // Lookups per trial, the share of them that must hit, and how many turns a failed trial
    // lets pass before the next one. A turn not found costs its copies on top of the turn, a
    // little less than a found one saves: the Penrose tilings find half of theirs and were
    // slower for it.
    static constexpr uint32_t Trial = 1024;
    static constexpr uint32_t NeededHits = Trial * 3 / 4;
    static constexpr uint32_t Pause = 32 * Trial;

    static uint64_t Mantissa(const Extended& x) {
        static_assert(std::numeric_limits<Extended>::digits == 64, "the 80-bit x87 format");
        uint64_t m;
        std::memcpy(&m, &x, sizeof m);
        return m;
    }
    static uint16_t SignAndExponent(const Extended& x) {
        uint16_t e;
        std::memcpy(&e, reinterpret_cast<const char*>(&x) + 8, sizeof e);
        return e;
    }
    // The sign too: opposite headings have the same mantissas.
    static uint64_t Mix(const Extended& x) { return Mantissa(x) ^ uint64_t{SignAndExponent(x)} << 1; }
    static bool SameBits(const tVector3d& a, const tVector3d& b) {
        return pax::SameBits(a.x, b.x) && pax::SameBits(a.y, b.y) && pax::SameBits(a.z, b.z);
    }
    static bool Holds(const Frame& f, const trCursor3d& c) {
        return SameBits(f.heading, c.Heading) && SameBits(f.right, c.Right) && SameBits(f.up, c.Up);
    }
    // The heading's low mantissa bits tell apart the frames that rounding makes of one
    // direction; the multiplications carry them into the top bits that choose the slot.
    static size_t SetOf(const trCursor3d& c, Kind kind, const Extended& degrees) {
        const uint64_t h = Mix(c.Heading.x) * 0x9E3779B97F4A7C15u ^ Mix(c.Heading.y) * 0xC2B2AE3D27D4EB4Fu ^
                           Mix(c.Heading.z) * 0x165667B19E3779F9u ^ Mix(degrees) * 0xD6E8FEB86659FD93u ^
                           static_cast<uint64_t>(kind) << 58;
        return static_cast<size_t>(h >> (64 - SetBits));
    }
    void Count(bool hit) {
        m_hits += hit;
        m_trialHits += hit;
        if (++m_trialLookups < Trial) return;
        if (m_trialHits < NeededHits) m_bypass = Pause;
        m_trialLookups = m_trialHits = 0;
    }

    std::array<Set, size_t{1} << SetBits> m_sets{};
    uint64_t m_hits = 0;
    uint32_t m_trialLookups = 0, m_trialHits = 0, m_bypass = 0;
};

}  // namespace pax
