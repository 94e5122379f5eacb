#pragma once
// LSInterpreter: the command interpreter of the L-system language. The derivation walk hands
// it one character at a time with the selected system and the state of the current level;
// it moves and turns the stage's "Pax" turtle, draws solids and shapes, and changes the
// state in place. Characters that are no command are ignored, so the letters that only serve
// the rewriting pass through.
//
// It owns the numeric prefix (digits in a row make one number that the next command uses),
// the five operand modes ("(" list, "~" shape, "<" decrease, ">" increase, "$" special),
// the trace of executed commands and the drawing statistics. Errors go through ShowPaxError
// with the caption LSErrorCaption; interpretation goes on.
//
// Interpret runs for every derived symbol: it allocates nothing and does no string work
// unless the trace is on.

#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/extended.h"
#include "foundation/vector3d.h"
#include "lsystem/ls_palette.h"
#include "lsystem/ls_system.h"
#include "lsystem/turn_memo.h"

namespace pax {

class Stage;
class Pax3d;
class TurtleWindow;
class tPlaneObj;

inline constexpr std::string_view LSErrorCaption = "PaxTarn: LSInterpreter";
inline constexpr std::string_view MissingCloseText = "missing \")\" character";
inline constexpr std::string_view MissingOpenText = "missing \"(\" character";
inline constexpr std::string_view NestedOpenText = "nested \"(\" characters not allowed";

// What the next character is taken as: a command, or the operand of the command before.
enum class OperandMode : uint8_t { None = 0, Parameters = 1, Shape = 2, Decrease = 3, Increase = 4, Special = 5 };

// Counters of one drawing, for the command line's report; reset when a drawing starts.
struct tLSStatistics {
    uint64_t symbols = 0;    // characters handed to the interpreter
    uint64_t commands = 0;   // of them executed as commands of the table
    uint64_t segments = 0;   // lines drawn by F and G (moves that added polygon corners excluded)
    uint64_t polygons = 0;   // polygons closed by "}"
    uint32_t maxDepth = 0;   // generations the walk went down at most
    bool is3d = false;
};

// The trace of executed commands ("show result"): the traced characters in lines of
// LineLength + 1 characters (a line goes to the list once it holds more than LineLength), the
// system's name first. Lines are UTF-8: the byte 167 is written as "§".
class tLSTrace {
public:
    static constexpr size_t LineLength = 55;

    // The characters $ % & ' ( ) * + - . / F G [ \ ] ^ f g { | } ~, the grave accent and 167.
    static bool Traced(unsigned char c);

    // Lines cleared, the name as the first one, the counter 0, the trace active.
    void Start(std::string_view name);
    // The unfinished line into the list; the trace inactive.
    void Finish();
    // Lines, line and counter cleared; the trace inactive.
    void Clear();
    void SetActive(bool active) { m_active = active; }
    bool Active() const { return m_active; }
    void Add(unsigned char c);

    const std::vector<std::string>& Lines() const { return m_lines; }
    uint64_t Counter() const { return m_counter; }

private:
    bool m_active = false;
    std::string m_line;
    size_t m_lineChars = 0;
    uint64_t m_counter = 0;
    std::vector<std::string> m_lines;
};

class LSInterpreter {
public:
    // Sides of the cylinders drawn for thick lines.
    static constexpr int CylinderSegments = 8;
    // A "?" repeats its factor at most this often.
    static constexpr int MaxThinning = 255;

    LSInterpreter(Stage& stage, const tLSPalette& palette);
    LSInterpreter(const LSInterpreter&) = delete;
    LSInterpreter& operator=(const LSInterpreter&) = delete;

    void Interpret(unsigned char c, const tLSystem& system, tLSState& state) {
        ++m_stats.symbols;
        if (m_trace.Active()) [[unlikely]]
            TraceCharacter(c);
        if (m_mode != OperandMode::None) [[unlikely]] {
            Operand(c, system, state);
            return;
        }
        if (c >= '0' && c <= '9') {
            AddDigit(c);
            return;
        }
        // Stored only when it changes: an extended store costs more than the test.
        if (!m_pending && !m_numberIsOne) [[unlikely]] {
            m_number = 1;
            m_numberIsOne = true;
        }
        // A character without meaning leaves a pending prefix for the next command.
        if (Execute(c, system, state)) {
            m_pending = false;
            ++m_stats.commands;
        }
    }

    // Interpret for each of the n characters of text: the symbols of a text at depth 0 in one
    // call, with the counters and the position in registers rather than in memory.
    void InterpretText(const char* text, uint32_t n, const tLSystem& system, tLSState& state);

    OperandMode Mode() const { return m_mode; }
    int32_t Nesting() const { return m_nesting; }
    // Mode and nesting back to 0, as at the start of every successor.
    void ClearMode() {
        m_mode = OperandMode::None;
        m_nesting = 0;
    }

    bool PrefixPending() const { return m_pending; }
    Extended Prefix() const { return m_number; }
    void ClearPrefix() {
        m_number = 1;
        m_numberIsOne = true;
        m_pending = false;
    }
    // The pending prefix truncated to a count (held within 0 .. 2^63), and the prefix cleared.
    uint64_t TakeRepeatCount();

    // "missing ")" character": a text at depth 0 ended inside a parameter list.
    void ReportMissingClose() const;

    tLSTrace& Trace() { return m_trace; }
    const tLSTrace& Trace() const { return m_trace; }
    tLSStatistics& Statistics() { return m_stats; }
    const tLSStatistics& Statistics() const { return m_stats; }

private:
    enum class PlanePoints { Add, Skip };

    // The sine and cosine of a turn by degrees (n times the state's angle) and by -degrees,
    // each from the very expression the cursor's degree turns evaluate, so that the turns
    // come out the same to the last bit. Systems turn by one or two angles for millions of
    // symbols: the pairs are worked out again only when that product changes, which is
    // tested on the bits (0 and -0 differ, and pitch and roll turn towards zeros of their
    // signs) with integer loads, as an extended load costs several cycles.
    //
    // The turn reads its pair rebuilt from two doubles whose sum is exactly the extended value
    // (two cheap loads and an add; an 80-bit load costs several cycles). The halves are exact
    // for every pair but those of angles within about 1e-300 degrees of 0; there the extended
    // pairs themselves are read.
    struct SplitSinCos {
        double sHigh = 0, sLow = 0, cHigh = 1, cLow = 0;
    };
    struct TurnPairs {
        Extended degrees = 0;
        bool zero = true;    // degrees == 0: the turns left and right do nothing
        bool split = true;   // the halves sum exactly to the pairs
        tSinCos plus{0, 1}, minus{-0.0L, 1};
        SplitSinCos plusSplit{0, 0, 1, 0}, minusSplit{-0.0, -0.0, 1, 0};

        tSinCos Plus() const { return split ? Rebuilt(plusSplit) : plus; }
        tSinCos Minus() const { return split ? Rebuilt(minusSplit) : minus; }
        static tSinCos Rebuilt(const SplitSinCos& p) {
            return {Extended(p.sHigh) + p.sLow, Extended(p.cHigh) + p.cLow};
        }
    };
    // The length of F and G and their thick-line test for the state's step and thickness,
    // kept while both stay the same bits: the length is read as exact double halves like the
    // turn pairs, and the test needs no extended load and compare.
    struct StepLength {
        Extended step = 0, thickness = 0;
        double high = 0, low = 0;
        bool split = true;    // high + low is exactly step
        bool thick = false;   // thickness > 1: a cylinder is drawn
    };
    const StepLength& StepOf(const tLSState& state) {
        if (!SameBits(state.step, m_step.step) || !SameBits(state.thickness, m_step.thickness)) [[unlikely]]
            NewStep(state);
        return m_step;
    }
    void NewStep(const tLSState& state);

    // The pairs of n * state.angle.
    const TurnPairs& Turn(const tLSState& state) {
        // 1 * angle is angle, bit for bit.
        if (m_numberIsOne) [[likely]] {
            if (!SameBits(state.angle, m_turn.degrees)) [[unlikely]]
                NewTurn(state.angle);
            return m_turn;
        }
        return TurnOfProduct(state);
    }
    const TurnPairs& TurnOfProduct(const tLSState& state);
    // The pairs of degrees into m_turn: taken from the recently used pairs when they hold
    // them, as plants that roll and turn by several angles in turn would otherwise work out
    // the sines and cosines again at almost every change.
    void NewTurn(Extended degrees);
    // base to the power trunc(n) + 1 for the change commands, kept for the last base and n.
    Extended ChangeFactor(Extended base, Extended n);
    // "+" and "-": TurnLeft and TurnRight by n * angle, nothing at all for angle 0.
    void TurnLeft(const tLSState& state);
    void TurnRight(const tLSState& state);
    // "&" and "^", "\\" and "/": PitchDown and PitchUp, RollLeft and RollRight by n * angle.
    void Pitch(const tLSState& state, bool down);
    void Roll(const tLSState& state, bool left);

    void TraceCharacter(unsigned char c);
    void AddDigit(unsigned char c) {
        const int digit = c - '0';
        m_number = m_pending ? m_number * 10 + digit : digit;
        m_numberIsOne = false;
        m_pending = true;
    }
    // The command of c with n = m_number; false when c is no command.
    bool Execute(unsigned char c, const tLSystem& system, tLSState& state);
    void Operand(unsigned char c, const tLSystem& system, tLSState& state);
    void Parameters(unsigned char c);
    void ChangeValue(unsigned char c, tLSState& state, Extended base);
    void Special(unsigned char c, const tLSState& state);

    void Forward(const tLSystem& system, const tLSState& state, PlanePoints points);
    // The plane recorder of the turtle's current window; nullptr without a window.
    tPlaneObj* Plane();
    void StepColour(tLSState& state, int direction);
    void OpenParameters();
    void Report(std::string_view text) const;

    Stage& m_stage;
    Pax3d& m_pax;
    const tLSPalette& m_palette;
    TurtleWindow* m_planeWindow = nullptr;
    tPlaneObj* m_plane = nullptr;
    OperandMode m_mode = OperandMode::None;
    int32_t m_nesting = 0;
    bool m_pending = false;
    Extended m_number = 1;
    bool m_numberIsOne = true;   // m_number is exactly 1 (false may also mean 1)
    TurnPairs m_turn;
    static constexpr size_t KeptTurns = 8;
    std::array<TurnPairs, KeptTurns> m_keptTurns;   // recent pairs, in m_keptTurns[0 .. m_keptCount)
    size_t m_keptCount = 0, m_nextKept = 0;
    struct ChangePower {
        Extended base = 0, n = 0, value = 0;   // n is above 1 once kept, so 0 matches no count
    } m_changePower;
    tTurnMemo m_turns;   // the frames that the turns led to
    StepLength m_step;
    tLSTrace m_trace;
    tLSStatistics m_stats;
};

}  // namespace pax
