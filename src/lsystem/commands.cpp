#include "lsystem/commands.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "figures/solids.h"
#include "lsystem/shapes.h"
#include "render/windows/stage.h"
#include "scene/pax3d.h"
#include "scene/plane_obj.h"
#include "scene/turtle_window.h"
#include "system/error_reporting.h"

namespace pax {

namespace {

constexpr unsigned char GraveAccent = 96;
constexpr unsigned char AcuteAccent = 180;
constexpr unsigned char SectionSign = 167;

constexpr std::array<bool, 256> MakeTraceSet() {
    std::array<bool, 256> set{};
    for (unsigned char c : std::string_view("$%&'()*+-./FG[\\]^fg{|}~")) set[c] = true;
    set[GraveAccent] = true;
    set[SectionSign] = true;
    return set;
}
constexpr std::array<bool, 256> TraceSet = MakeTraceSet();

// n rounded to a whole count taken mod 256, for the colour steps (n is never negative).
// Below 2^62 llrint rounds as nearbyint does without saving and restoring the floating-point
// environment, which made the colour commands of a coloured tiling cost half its picture.
// Beyond it the count is taken mod 256 in extended precision.
int ColourSteps(Extended n) {
    if (std::fabs(n) < 0x1p62L) return static_cast<int>(std::llrint(n) & 0xFF);
    return static_cast<int>(std::fmod(std::nearbyint(n), 256.0L));
}

}  // namespace

// --- trace -----------------------------------------------------------------------------------

bool tLSTrace::Traced(unsigned char c) { return TraceSet[c]; }

void tLSTrace::Start(std::string_view name) {
    Clear();
    m_lines.emplace_back(name);
    m_active = true;
}

void tLSTrace::Finish() {
    m_lines.push_back(m_line);
    m_line.clear();
    m_lineChars = 0;
    m_active = false;
}

void tLSTrace::Clear() {
    m_lines.clear();
    m_line.clear();
    m_lineChars = 0;
    m_counter = 0;
    m_active = false;
}

void tLSTrace::Add(unsigned char c) {
    if (c < 0x80) {
        m_line += static_cast<char>(c);
    } else {
        m_line += static_cast<char>(0xC0 | (c >> 6));
        m_line += static_cast<char>(0x80 | (c & 0x3F));
    }
    ++m_lineChars;
    ++m_counter;
    if (m_lineChars <= LineLength) return;
    m_lines.push_back(m_line);
    m_line.clear();
    m_lineChars = 0;
}

// --- interpreter -----------------------------------------------------------------------------

LSInterpreter::LSInterpreter(Stage& stage, const tLSPalette& palette)
    : m_stage(stage), m_pax(stage.Pax()), m_palette(palette) {}

void LSInterpreter::TraceCharacter(unsigned char c) {
    // The operand of "~" names a shape: it is traced whatever character it is.
    if (tLSTrace::Traced(c) || m_mode == OperandMode::Shape) m_trace.Add(c);
}

uint64_t LSInterpreter::TakeRepeatCount() {
    const Extended count = std::trunc(m_number);
    ClearPrefix();
    constexpr Extended Most = 9223372036854775807.0L;
    if (!(count > 0)) return 0;
    return count >= Most ? static_cast<uint64_t>(Most) : static_cast<uint64_t>(count);
}

void LSInterpreter::Report(std::string_view text) const { ShowPaxError(LSErrorCaption, text); }

void LSInterpreter::ReportMissingClose() const { Report(MissingCloseText); }

inline void LSInterpreter::TurnLeft(const tLSState& state) {
    const TurnPairs& turn = Turn(state);
    if (turn.zero) return;
    m_turns.Apply(m_pax, tTurnMemo::Kind::Left, turn.degrees, [&] { m_pax.TurnRightBySinCos(turn.Minus()); });
}

inline void LSInterpreter::TurnRight(const tLSState& state) {
    const TurnPairs& turn = Turn(state);
    if (turn.zero) return;
    m_turns.Apply(m_pax, tTurnMemo::Kind::Right, turn.degrees, [&] { m_pax.TurnRightBySinCos(turn.Plus()); });
}

void LSInterpreter::Pitch(const tLSState& state, bool down) {
    const TurnPairs& turn = Turn(state);
    m_turns.Apply(m_pax, down ? tTurnMemo::Kind::PitchDown : tTurnMemo::Kind::PitchUp, turn.degrees,
                  [&] { m_pax.PitchDownBySinCos(down ? turn.Plus() : turn.Minus()); });
}

void LSInterpreter::Roll(const tLSState& state, bool left) {
    const TurnPairs& turn = Turn(state);
    m_turns.Apply(m_pax, left ? tTurnMemo::Kind::RollLeft : tTurnMemo::Kind::RollRight, turn.degrees,
                  [&] { m_pax.RollLeftBySinCos(left ? turn.Plus() : turn.Minus()); });
}

void LSInterpreter::InterpretText(const char* text, uint32_t n, const tLSystem& system, tLSState& state) {
    uint64_t symbols = 0, commands = 0;
    for (uint32_t i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (m_trace.Active() || m_mode != OperandMode::None) [[unlikely]] {
            Interpret(c, system, state);   // which counts for itself
            continue;
        }
        ++symbols;
        if (c >= '0' && c <= '9') {
            AddDigit(c);
            continue;
        }
        if (!m_pending && !m_numberIsOne) [[unlikely]] {
            m_number = 1;
            m_numberIsOne = true;
        }
        // The commands of almost every symbol without the call into Execute's switch.
        switch (c) {
        case 'F': Forward(system, state, PlanePoints::Add); break;
        case '+': TurnLeft(state); break;
        case '-': TurnRight(state); break;
        default:
            if (!Execute(c, system, state)) continue;
        }
        m_pending = false;
        ++commands;
    }
    m_stats.symbols += symbols;
    m_stats.commands += commands;
}

bool LSInterpreter::Execute(unsigned char c, const tLSystem& system, tLSState& state) {
    // Read where it is used: the turns and F do not need it as a number.
    const Extended& n = m_number;
    switch (c) {
    case 'F': Forward(system, state, PlanePoints::Add); return true;
    case 'G': Forward(system, state, PlanePoints::Skip); return true;
    case 'f':
        m_pax.JumpForward(n * state.step);
        if (m_pax.PlaneIsOpen()) m_pax.AddPlanePoint();
        return true;
    case 'g':
        m_pax.SetPlaneMode(false);
        m_pax.JumpForward(n * state.step);
        return true;
    // As TurnLeft, TurnRight, PitchDown, PitchUp, RollLeft and RollRight by n * angle: the
    // turns left and right do nothing at all for angle 0, pitch and roll still turn by it.
    case '+': TurnLeft(state); return true;
    case '-': TurnRight(state); return true;
    case '&': Pitch(state, true); return true;
    case '^': Pitch(state, false); return true;
    case '\\': Roll(state, true); return true;
    case '/': Roll(state, false); return true;
    case '|': m_pax.TurnAround(); return true;
    case '_': m_pax.RollAround(); return true;
    case '[': m_pax.NewObject(); return true;
    case ']': m_pax.OldObject(); return true;
    case '{':
        m_pax.PenDown();
        m_pax.BeginPlane();
        m_pax.SetPlaneMode(true);
        return true;
    case '}':
        m_pax.SetPlaneMode(false);
        if (m_pax.PlaneIsOpen()) ++m_stats.polygons;
        m_pax.EndPlane();
        m_pax.PenUp();
        return true;
    case '.':
        m_pax.PenDown();
        m_pax.AddPlanePoint();
        return true;
    case '*': m_pax.JumpToSaved(); return true;
    case '!':
        if (state.thickness > 1) state.thickness -= n;
        return true;
    case '?':
        if (state.thickness > 1) {
            const Extended k = std::min(std::nearbyint(n), Extended(MaxThinning));
            for (int i = 0; i < k; ++i) state.thickness *= 0.9L;
        }
        return true;
    case '"':
    case '\'': StepColour(state, +1); return true;
    case GraveAccent:
    case AcuteAccent: StepColour(state, -1); return true;
    case '(': OpenParameters(); return true;
    case ')': Report(MissingOpenText); return true;
    case '~': m_mode = OperandMode::Shape; return true;
    case '<': m_mode = OperandMode::Decrease; return true;
    case '>': m_mode = OperandMode::Increase; return true;
    case '$': m_mode = OperandMode::Special; return true;
    default: return false;
    }
}

const LSInterpreter::TurnPairs& LSInterpreter::TurnOfProduct(const tLSState& state) {
    const Extended degrees = m_number * state.angle;
    if (!SameBits(degrees, m_turn.degrees)) NewTurn(degrees);
    return m_turn;
}

namespace {

// x as high and low double halves; false when their sum is not exactly x (x so small that the
// low half would lose bits, or out of the double range). A zero low half carries the sign of
// x, so that -0 comes back as -0.
bool Split(Extended x, double& high, double& low) {
    high = static_cast<double>(x);
    low = static_cast<double>(x - high);
    if (low == 0) low = std::copysign(0.0, static_cast<double>(x));
    const Extended back = Extended(high) + low;
    return std::memcmp(&back, &x, 10) == 0;
}

}  // namespace

void LSInterpreter::NewStep(const tLSState& state) {
    m_step.step = state.step;
    m_step.thickness = state.thickness;
    m_step.split = Split(state.step, m_step.high, m_step.low);
    m_step.thick = state.thickness > 1;
}

void LSInterpreter::NewTurn(Extended degrees) {
    for (size_t i = 0; i < m_keptCount; ++i)
        if (SameBits(m_keptTurns[i].degrees, degrees)) {
            m_turn = m_keptTurns[i];
            return;
        }
    m_turn.degrees = degrees;
    m_turn.zero = degrees == 0;
    m_turn.plus = {std::sin(degrees * DegToRad), std::cos(degrees * DegToRad)};
    m_turn.minus = {std::sin((-degrees) * DegToRad), std::cos((-degrees) * DegToRad)};
    SplitSinCos& p = m_turn.plusSplit;
    SplitSinCos& m = m_turn.minusSplit;
    m_turn.split = Split(m_turn.plus.s, p.sHigh, p.sLow) && Split(m_turn.plus.c, p.cHigh, p.cLow) &&
                   Split(m_turn.minus.s, m.sHigh, m.sLow) && Split(m_turn.minus.c, m.cHigh, m.cLow);
    m_keptTurns[m_nextKept] = m_turn;
    m_nextKept = (m_nextKept + 1) % KeptTurns;
    m_keptCount = std::min(m_keptCount + 1, KeptTurns);
}

tPlaneObj* LSInterpreter::Plane() {
    TurtleWindow* window = m_pax.Window();
    if (window != m_planeWindow) {
        m_planeWindow = window;
        m_plane = window ? &window->PlaneObject() : nullptr;
    }
    return m_plane;
}

void LSInterpreter::Forward(const tLSystem& system, const tLSState& state, PlanePoints points) {
    Extended length;
    bool thick;
    if (m_numberIsOne) [[likely]] {
        const StepLength& step = StepOf(state);
        length = step.split ? Extended(step.high) + step.low : step.step;
        thick = step.thick;
    } else {
        length = m_number * state.step;
        thick = state.thickness > 1;
    }
    const bool addCorner = points == PlanePoints::Add;
    m_pax.PenDown();
    // The turtle's PlaneIsOpen and SetPlaneMode on the window's recorder, without two virtual
    // calls per segment.
    tPlaneObj* plane = Plane();
    const bool planeOpen = plane && plane->IsOpen();
    // F lets an open polygon take the move as a corner; G draws its cylinder regardless.
    if (thick && !(addCorner && planeOpen)) {
        const Extended radius = state.thickness * system.factor;
        Tube(m_stage, CylinderSegments, radius, radius, length);
        m_pax.PenUp();
    }
    if (plane) plane->SetCollecting(addCorner);
    m_pax.DrawForward(length);
    if (m_pax.PenIsDown() && !(addCorner && planeOpen)) ++m_stats.segments;
}

void LSInterpreter::StepColour(tLSState& state, int direction) {
    const int steps = ColourSteps(m_number);
    state.colour = static_cast<uint8_t>((state.colour + direction * steps + 256) & 0xFF);
    m_pax.SetColor(m_palette[state.colour]);
}

void LSInterpreter::OpenParameters() {
    m_mode = OperandMode::Parameters;
    ++m_nesting;
    if (m_nesting > 1) Report(NestedOpenText);
}

void LSInterpreter::Operand(unsigned char c, const tLSystem&, tLSState& state) {
    switch (m_mode) {
    case OperandMode::Parameters: Parameters(c); return;
    case OperandMode::Shape:
        m_mode = OperandMode::None;
        DrawShape(m_stage, c, state.step);
        return;
    case OperandMode::Decrease: ChangeValue(c, state, 0.9L); return;
    case OperandMode::Increase: ChangeValue(c, state, 1.1L); return;
    case OperandMode::Special: Special(c, state); return;
    case OperandMode::None: return;
    }
}

void LSInterpreter::Parameters(unsigned char c) {
    if (c == '(') {
        OpenParameters();
        return;
    }
    if (c != ')') return;
    --m_nesting;
    if (m_nesting <= 0) m_mode = OperandMode::None;
}

void LSInterpreter::ChangeValue(unsigned char c, tLSState& state, Extended base) {
    const bool increase = m_mode == OperandMode::Increase;
    m_mode = OperandMode::None;
    const Extended n = m_number;
    switch (c) {
    case 'a': state.angle += increase ? 1 : -n; return;
    case 'A': state.angle *= ChangeFactor(base, n); return;
    case 's': state.step += increase ? n : -n; return;
    case 'S': state.step *= ChangeFactor(base, n); return;
    case 't':
        if (increase) state.thickness += n;
        else if (state.thickness > 1) state.thickness -= n;
        return;
    case 'T':
        if (increase || state.thickness > 1) state.thickness *= ChangeFactor(base, n);
        return;
    case 'c':
        // Wraps like the other colour steps; the colour is set by the next colour command.
        state.colour = static_cast<uint8_t>(state.colour + (increase ? 1 : -1));
        return;
    default: return;
    }
}

Extended LSInterpreter::ChangeFactor(Extended base, Extended n) {
    // A count n > 1 applies the factor trunc(n) + 1 times.
    if (!(n > 1)) return base;
    ChangePower& kept = m_changePower;
    if (!SameBits(kept.base, base) || !SameBits(kept.n, n)) {
        kept.base = base;
        kept.n = n;
        kept.value = std::pow(base, std::trunc(n) + 1);
    }
    return kept.value;
}

void LSInterpreter::Special(unsigned char c, const tLSState& state) {
    m_mode = OperandMode::None;
    const Extended t = state.thickness;
    switch (c) {
    case 'h': m_pax.RollToHorizontal(); return;
    case '^': m_pax.SetElevation(90); return;
    case '&': m_pax.SetElevation(-90); return;
    case '*': m_pax.JumpToSaved(); return;
    case '_': m_pax.RollAround(); return;
    case '|': m_pax.TurnAround(); return;
    case 'l': m_pax.JumpLeft(t); return;
    case 'r': m_pax.JumpRight(t); return;
    case 'u': m_pax.JumpUp(t); return;
    case 'd': m_pax.JumpDown(t); return;
    default: return;
    }
}

}  // namespace pax
