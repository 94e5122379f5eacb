#include "lsystem/turn_memo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <utility>
#include <string>

#include "scene/cursor3d.h"

namespace pax {
namespace {

using Kind = tTurnMemo::Kind;

bool SameFrame(const TCursor3d& a, const TCursor3d& b) {
    return SameBits(a.Right(), b.Right()) && SameBits(a.Heading(), b.Heading()) && SameBits(a.Up(), b.Up());
}

// The turn of this kind by degrees, worked out as the interpreter would without the memo.
void Turn(TCursor3d& cursor, Kind kind, Extended degrees) {
    const tSinCos plus{std::sin(degrees * DegToRad), std::cos(degrees * DegToRad)};
    const tSinCos minus{std::sin(-degrees * DegToRad), std::cos(-degrees * DegToRad)};
    switch (kind) {
    case Kind::Left: cursor.TurnRightBySinCos(minus); return;
    case Kind::Right: cursor.TurnRightBySinCos(plus); return;
    case Kind::PitchDown: cursor.PitchDownBySinCos(plus); return;
    case Kind::PitchUp: cursor.PitchDownBySinCos(minus); return;
    case Kind::RollLeft: cursor.RollLeftBySinCos(plus); return;
    case Kind::RollRight: cursor.RollLeftBySinCos(minus); return;
    }
}

// Pairs of turns of every kind by one angle and then by two, each from the start frame, so
// that frames recur under different kinds and angles: a memo that confused a kind, an angle or a frame
// with another would set a wrong frame.
TEST(TurnMemo, RememberedTurnsGiveTheWorkedOutFramesBitForBit) {
    TCursor3d plain("plain"), memoised("memoised");
    tTurnMemo memo;
    const Extended angles[] = {60, -37.5L};
    uint32_t seed = 12345;
    const auto next = [&](uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    const auto pick = [&](int run) { return run < 4000 ? angles[0] : angles[next(2)]; };
    int turns = 0;
    for (int run = 0; run < 5000; ++run) {
        plain.Reset();
        memoised.Reset();
        for (int i = 0; i < 2; ++i, ++turns) {
            const auto kind = static_cast<Kind>(next(6));
            const Extended degrees = pick(run);
            Turn(plain, kind, degrees);
            memoised.SetChanged(false);
            memo.Apply(memoised, kind, degrees, [&] { Turn(memoised, kind, degrees); });
            ASSERT_TRUE(SameFrame(plain, memoised)) << "run " << run << " turn " << i;
            ASSERT_TRUE(memoised.Changed());
        }
    }
    // Six turns from the start frame and 36 pairs in the first 4,000 runs: after the first of
    // each, nearly all are found.
    EXPECT_GT(memo.Hits(), static_cast<uint64_t>(turns * 3 / 4));

    // One frame turned by many angles, twice over, in a memo of its own that is still on trial:
    // angles that share a set must not stand in for one another.
    tTurnMemo angleMemo;
    for (int round = 0; round < 2; ++round)
        for (int k = 1; k <= 90; ++k) {
            plain.Reset();
            memoised.Reset();
            Turn(plain, Kind::PitchDown, k * 1.5L);
            angleMemo.Apply(memoised, Kind::PitchDown, k * 1.5L, [&] { Turn(memoised, Kind::PitchDown, k * 1.5L); });
            ASSERT_TRUE(SameFrame(plain, memoised)) << "round " << round << " angle " << k * 1.5L;
        }
    EXPECT_GE(angleMemo.Hits(), 80u);
}

// A frame set from the memo is tagged, and the turns from a tagged frame are taken from its
// links without comparing the frame. Every other way of setting the frame must drop the tag:
// otherwise the turn after it would land where the turn from the remembered frame did.
TEST(TurnMemo, FramesSetOtherwiseDropTheirTag) {
    TCursor3d plain("plain"), memoised("memoised");
    tTurnMemo memo;
    const auto turnBoth = [&](Kind kind, Extended degrees) {
        Turn(plain, kind, degrees);
        memo.Apply(memoised, kind, degrees, [&] { Turn(memoised, kind, degrees); });
        return SameFrame(plain, memoised);
    };
    const std::pair<const char*, std::function<void(TCursor3d&)>> changes[] = {
        {"SetAngle", [](TCursor3d& c) { c.SetAngle(30, 10); }},
        {"RollAround", [](TCursor3d& c) { c.RollAround(); }},
        {"a turn of its own", [](TCursor3d& c) { c.TurnRightBySinCos({std::sin(0.3L), std::cos(0.3L)}); }},
        {"a pitch of its own", [](TCursor3d& c) { c.PitchDownBySinCos({std::sin(0.3L), std::cos(0.3L)}); }},
        {"a roll of its own", [](TCursor3d& c) { c.RollLeftBySinCos({std::sin(0.3L), std::cos(0.3L)}); }},
        {"NormCross", [](TCursor3d& c) {
             c.TurnRightBySinCos({std::sin(0.1L), std::cos(0.1L)});
             c.NormCross();
         }},
        {"Reset", [](TCursor3d& c) {
             c.Reset();
             c.PitchUp(45);
         }},
        {"a pushed state", [](TCursor3d& c) {
             c.NewObject();
             c.RollRight(20);
             c.OldObject();
             c.TurnLeft(15);
         }},
    };
    for (const auto& [name, change] : changes)
        for (int round = 0; round < 3; ++round) {
            plain.Reset();
            memoised.Reset();
            // Twice from the start frame, so that the second frame has its link.
            ASSERT_TRUE(turnBoth(Kind::Left, 60) && turnBoth(Kind::Left, 60)) << name;
            plain.Reset();
            memoised.Reset();
            ASSERT_TRUE(turnBoth(Kind::Left, 60)) << name;
            change(plain);
            change(memoised);
            ASSERT_TRUE(SameFrame(plain, memoised)) << name;
            ASSERT_TRUE(turnBoth(Kind::Left, 60)) << name << ", round " << round;
            ASSERT_TRUE(turnBoth(Kind::RollRight, 60)) << name << ", round " << round;
        }

    // A state pushed at a remembered frame comes back with its tag, which still holds.
    plain.Reset();
    memoised.Reset();
    ASSERT_TRUE(turnBoth(Kind::Right, 60));
    memoised.NewObject();
    ASSERT_TRUE(turnBoth(Kind::Right, 60) && turnBoth(Kind::Right, 60));
    memoised.OldObject();
    plain.Reset();
    Turn(plain, Kind::Right, 60);
    ASSERT_TRUE(SameFrame(plain, memoised));
    const uint64_t hits = memo.Hits();
    ASSERT_TRUE(turnBoth(Kind::Right, 60) && turnBoth(Kind::Right, 60));
    EXPECT_EQ(memo.Hits(), hits + 2);

    // Another memo's tag names none of this memo's frames.
    tTurnMemo other;
    ASSERT_TRUE(turnBoth(Kind::Left, 60));
    Turn(plain, Kind::PitchDown, 60);
    other.Apply(memoised, Kind::PitchDown, 60, [&] { Turn(memoised, Kind::PitchDown, 60); });
    ASSERT_TRUE(SameFrame(plain, memoised));
    ASSERT_TRUE(turnBoth(Kind::Left, 60) && turnBoth(Kind::Left, 60));
}

// The Koch snowflake's turns meet a few dozen frames: after the first of each, all are found.
// Frames that never recur (a turn by one degree, round and round) leave the memo after its trial.
TEST(TurnMemo, KochTurnsAreFoundAndNeverRecurringFramesPassBy) {
    std::string word = "F--F--F";
    for (int i = 0; i < 6; ++i) {
        std::string next;
        for (char c : word) next += c == 'F' ? std::string("F+F--F+F") : std::string(1, c);
        word = std::move(next);
    }
    TCursor3d plain("plain"), memoised("memoised");
    plain.PitchUp(90);
    memoised.PitchUp(90);
    tTurnMemo memo;
    uint64_t turns = 0;
    for (char c : word) {
        if (c == 'F') continue;
        const Kind kind = c == '+' ? Kind::Left : Kind::Right;
        Turn(plain, kind, 60);
        memo.Apply(memoised, kind, 60, [&] { Turn(memoised, kind, 60); });
        ++turns;
        ASSERT_TRUE(SameFrame(plain, memoised));
    }
    EXPECT_EQ(turns, 16384u);
    EXPECT_GT(memo.Hits(), turns * 97 / 100);

    const uint64_t before = memo.Hits();
    for (int i = 0; i < 4000; ++i) {
        Turn(plain, Kind::Right, 1);
        memo.Apply(memoised, Kind::Right, 1, [&] { Turn(memoised, Kind::Right, 1); });
        ASSERT_TRUE(SameFrame(plain, memoised)) << i;
    }
    EXPECT_LT(memo.Hits() - before, 100u);
}

}  // namespace
}  // namespace pax
