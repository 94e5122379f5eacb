#pragma once
// tTurnMemo: the frames that the turtle's turns lead to, remembered by the exact bits of the
// frame before the turn and of the turn itself. A turn is a pure function of those bits, so a
// remembered frame is the very frame the arithmetic would give. Most systems turn among few
// frames: the Koch snowflake's million turns at depth 9 meet 26 frames, and the turn (two
// products, a unit-length correction and a cross product, in extended precision) costs far
// more than finding its result. Walks whose frames hardly repeat (random angles, plants that
// bend at every step) leave the memo alone after a short trial, so they pay almost nothing.
//
// A frame the memo sets is tagged with its entry, and each entry links the turns seen from its
// resulting frame to the entries of their results: a walk among known frames then goes from
// link to link without hashing or comparing a frame. The cursor drops the tag whenever its
// frame is set any other way, and a pushed state keeps it with the frame it names.

#include <array>
#include <atomic>
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
        // A frame set from the memo carries its entry's tag: the turns seen from it are linked
        // there, found without comparing the frame.
        Entry* const from = Tagged(cursor.FrameTag());
        if (from)
            for (const Link& link : from->links)
                if (link.kind == kind && pax::SameBits(link.degrees, degrees))
                    if (const Entry* to = Tagged(link.to)) {
                        cursor.SetFrameBits(to->after.right, to->after.heading, to->after.up, to->tag);
                        Count(true);
                        return;
                    }
        const uint64_t fromTag = from ? from->tag : 0;
        const trCursor3d& frame = cursor.State();
        const size_t setIndex = SetOf(frame, kind, degrees);
        Set& set = m_sets[setIndex];
        for (Entry& entry : set.ways)
            if (entry.used && entry.kind == kind && pax::SameBits(entry.degrees, degrees) && Holds(entry.before, frame)) {
                cursor.SetFrameBits(entry.after.right, entry.after.heading, entry.after.up, entry.tag);
                if (from) AddLink(*from, kind, degrees, entry);
                Count(true);
                return;
            }
        const size_t way = set.next;
        Entry& entry = set.ways[way];
        set.next ^= 1;
        entry.used = true;
        entry.kind = kind;
        std::memcpy(&entry.degrees, &degrees, sizeof degrees);
        entry.before.Take(frame);
        turn();
        entry.after.Take(frame);
        entry.tag = NewTag(setIndex * 2 + way);
        entry.links = {};
        cursor.SetFrameTag(entry.tag);
        // The entry just taken may have been the one the turn came from.
        if (from && from->tag == fromTag) AddLink(*from, kind, degrees, entry);
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
    // A turn from an entry's after frame to the entry that holds its result, by that entry's
    // tag: valid while the entry keeps it.
    struct Link {
        uint64_t to = 0;
        Kind kind = Kind::Left;
        Extended degrees = 0;
    };
    struct Entry {
        bool used = false;
        Kind kind = Kind::Left;
        uint8_t nextLink = 0;   // the link the next new turn from here takes
        Extended degrees = 0;
        Frame before, after;
        uint64_t tag = 0;       // names this entry's after frame while it stays; never 0
        std::array<Link, 2> links{};
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
    static bool Holds(const Frame& f, const trCursor3d& c) {
        return pax::SameBits(f.heading, c.Heading) && pax::SameBits(f.right, c.Right) &&
               pax::SameBits(f.up, c.Up);
    }
    // The heading's low mantissa bits tell apart the frames that rounding makes of one
    // direction; the multiplications carry them into the top bits that choose the slot.
    static size_t SetOf(const trCursor3d& c, Kind kind, const Extended& degrees) {
        const uint64_t h = Mix(c.Heading.x) * 0x9E3779B97F4A7C15u ^ Mix(c.Heading.y) * 0xC2B2AE3D27D4EB4Fu ^
                           Mix(c.Heading.z) * 0x165667B19E3779F9u ^ Mix(degrees) * 0xD6E8FEB86659FD93u ^
                           static_cast<uint64_t>(kind) << 58;
        return static_cast<size_t>(h >> (64 - SetBits));
    }
    static constexpr size_t EntryBits = SetBits + 1;
    // Tags name the entry (its set and way in the low bits) and when it was filled (a serial
    // that no memo of the program repeats), so that a tag outlives neither its entry's content
    // nor passes for another memo's.
    static uint64_t NewTag(size_t entryIndex) {
        static std::atomic<uint64_t> serial{0};
        return (serial.fetch_add(1, std::memory_order_relaxed) + 1) << EntryBits | entryIndex;
    }
    Entry* Tagged(uint64_t tag) {
        if (tag == 0) return nullptr;
        const size_t index = tag & ((size_t{1} << EntryBits) - 1);
        Entry& entry = m_sets[index >> 1].ways[index & 1];
        return entry.tag == tag ? &entry : nullptr;
    }
    static void AddLink(Entry& from, Kind kind, const Extended& degrees, const Entry& to) {
        Link* slot = nullptr;
        for (Link& link : from.links)
            if (link.kind == kind && pax::SameBits(link.degrees, degrees)) slot = &link;
        if (!slot) {
            slot = &from.links[from.nextLink];
            from.nextLink = static_cast<uint8_t>((from.nextLink + 1) % from.links.size());
        }
        *slot = Link{to.tag, kind, 0};
        std::memcpy(&slot->degrees, &degrees, sizeof degrees);
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
