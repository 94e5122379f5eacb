#include "lsystem/interpreter.h"

#include <algorithm>
#include <cmath>

#include "figures/figure_scope.h"
#include "lsystem/library/library.h"
#include "lsystem/lsy_file.h"
#include "lsystem/vl_system.h"
#include "render/windows/object_window.h"
#include "render/windows/stage.h"
#include "scene/pax3d.h"
#include "system/error_reporting.h"
#include "system/exceptions.h"
#include "system/numbers.h"
#include "system/stop_request.h"

namespace pax {

namespace {

constexpr std::string_view SelectCaption = "PaxTarn: tTarnsInterpreter.SetLSDef";
constexpr std::string_view WindowObjectName = "LSystems";
const tVector3d RotationOf3dSystems{1.22L, 0, 0};
constexpr Extended GroundDepth = -250;
constexpr int GroundSpread = 800;   // positions lie within +-400 of the centre

// The definition that the interpreter starts with; it is not registered.
tLSDef EmptyDefinition() {
    return tLSDef{.name = "empty", .info = {}, .link = {}, .angle = 90, .step = 100, .factor = 1,
                  .thickness = 1, .deep = 1, .axiom = "A", .rules = {}};
}

// Apostrophes stand for double quotes (the same colour command), so that every text can be
// written between double quotes.
std::string WithApostrophes(std::string text) {
    std::replace(text.begin(), text.end(), '"', '\'');
    return text;
}

// A comment ("#" to the end) cut off and every blank removed.
void CleanText(std::string& text) {
    const size_t comment = text.find('#');
    if (comment != std::string::npos) text.erase(comment);
    std::erase_if(text, [](char c) { return c == ' ' || c == '\t'; });
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

tTarnsInterpreter::tTarnsInterpreter(Stage& stage, TCursor3d& sceneCursor, tLSShell* shell)
    : m_stage(stage), m_sceneCursor(sceneCursor), m_shell(shell), m_commands(stage, m_palette) {
    m_showResult = false;
    m_commands.Trace().Clear();
    InitLSystems();
    SetLSDef(EmptyDefinition());
}

// --- definitions -------------------------------------------------------------------------------

void tTarnsInterpreter::InitLSystems() {
    MakeGroundPositions();
    m_plantCount = 1;
    for (const tLSCategory& category : BuiltInLibrary()) {
        if (m_shell) m_shell->RegisterAnimation(category.name);
        for (const tLSDef& def : category.entries) AddLSDef(def);
    }
}

void tTarnsInterpreter::MakeGroundPositions() {
    for (int i = 0; i < GroundPositions; ++i) {
        const Extended x = Random(GroundSpread) - GroundSpread / 2;
        const Extended y = Random(GroundSpread) - GroundSpread / 2;
        m_ground[i] = {x, y, GroundDepth};
        m_heading[i] = Random(360);
    }
    // A single plant stands in the middle, facing the cursor's way.
    m_ground[0] = {0, 0, GroundDepth};
    m_heading[0] = 0;
}

void tTarnsInterpreter::AddLSDef(const tLSDef& def) {
    auto copy = std::make_unique<tLSDef>(def);
    copy->axiom = WithApostrophes(std::move(copy->axiom));
    for (std::string& rule : copy->rules) rule = WithApostrophes(std::move(rule));
    const std::string name = copy->name;
    m_definitions.push_back(std::move(copy));
    if (m_shell) m_shell->RegisterFigure(name);
}

const tLSDef* tTarnsInterpreter::FindLSDef(std::string_view name) const {
    for (const auto& def : m_definitions)
        if (def->name == name) return def.get();
    return nullptr;
}

bool tTarnsInterpreter::SetLSDef(const tLSDef& def) {
    try {
        Select(ToLSystem(def, ZeroDefaults::Replace));
        return true;
    } catch (const ERangeError& error) {
        ShowPaxError(SelectCaption, error.what());
        return false;
    }
}

bool tTarnsInterpreter::SetVLSystem(const tVLSystem& node) {
    try {
        Select(ToLSystem(node));
        return true;
    } catch (const ERangeError& error) {
        ShowPaxError(SelectCaption, error.what());
        return false;
    }
}

void tTarnsInterpreter::Select(tLSystem system) {
    m_system = std::move(system);
    Prepare();
}

void tTarnsInterpreter::Prepare() {
    int highest = -1;
    for (int i = 0; i < static_cast<int>(LSRuleSlots); ++i)
        if (m_system.rules[i].symbol != 0) highest = i;

    CleanText(m_system.axiom);
    if (m_system.axiom.size() > LSTextCapacity) m_system.axiom.resize(LSTextCapacity);
    for (tGenerator& rule : m_system.rules) CleanText(rule.successor);

    m_system.is3d = false;
    for (int i = 0; i <= highest; ++i)
        if (Turns3d(m_system.rules[i].successor)) m_system.is3d = true;

    for (auto& row : m_ruleIndex) row.fill(-1);
    m_ruleCount.fill(0);
    m_stochastic = false;
    for (int i = 0; i < static_cast<int>(LSRuleSlots); ++i) {
        const char symbol = m_system.rules[i].symbol;
        // Digits are always numeric prefixes.
        if (symbol == 0 || IsDigit(symbol)) continue;
        const auto c = static_cast<unsigned char>(symbol);
        if (m_ruleIndex[0][c] == -1) {
            m_ruleIndex[0][c] = static_cast<int8_t>(i);
            continue;
        }
        m_stochastic = true;
        const int k = m_ruleCount[c] + 1;
        if (k >= Alternatives) continue;   // a tenth alternative and later ones are ignored
        m_ruleCount[c] = static_cast<int8_t>(k);
        m_ruleIndex[k][c] = static_cast<int8_t>(i);
    }

    if (m_system.is3d)
        SetAnimationRotation(RotationOf3dSystems);
    else
        SetAnimationSecond(2.0L, 5.0L, 100.0L);
}

void tTarnsInterpreter::SetAnimationRotation(const tVector3d& rotation) {
    m_animation.rotationSet = true;
    m_animation.rotation = rotation;
    if (m_shell) m_shell->SetRotationVector(rotation);
}

void tTarnsInterpreter::SetAnimationSecond(Extended a, Extended b, Extended c) {
    m_animation.secondSet = true;
    m_animation.second = {a, b, c};
    if (m_shell) m_shell->SetSecondValues(a, b, c);
}

void tTarnsInterpreter::StartCategory(std::string_view figureName) {
    RebuildPalette();
    if (figureName.empty()) return;
    if (const tLSDef* def = FindLSDef(figureName)) SetLSDef(*def);
    m_sceneCursor.Reset();
    SetAnimationSecond(4.0L, 0, 200.0L);
}

void tTarnsInterpreter::SetPlantCount(int count) { m_plantCount = std::clamp(count, 1, MaxPlants); }

// --- drawing -----------------------------------------------------------------------------------

void tTarnsInterpreter::DrawFigure() {
    SetRandomSeed(m_seed);
    DrawLSystem();
}

void tTarnsInterpreter::DrawLSystem() {
    Pax3d& pax = m_stage.Pax();
    tLSTrace& trace = m_commands.Trace();
    if (m_showResult) trace.Start(m_system.name);
    tLSStatistics& stats = m_commands.Statistics();
    stats = tLSStatistics{};
    stats.is3d = m_system.is3d;
    {
        WindowObject object(m_stage.View(), WindowObjectName, ObjectShape::Convex);
        TurtleBranch branch(pax);
        tLSState state;
        state.angle = m_system.angle;
        // The figure keeps its overall size as the generations grow.
        const uint16_t depth = m_growth.active ? m_growth.depth : m_system.deep;
        state.step = m_system.step;
        for (int i = 0; i < depth; ++i) state.step *= m_system.factor;
        state.thickness = m_system.thickness;
        state.depth = depth;
        state.colour = tLSPalette::StartIndex;
        m_commands.ClearPrefix();
        trace.SetActive(m_showResult);

        if (!m_system.is3d) {
            pax.SetColor(m_palette[tLSPalette::StartIndex]);
            pax.PitchUp(90);
            pax.JumpBack(PlaneBack);
            Walk(state);
        } else {
            for (int i = 0; i < m_plantCount; ++i) {
                pax.SetColor(m_palette[tLSPalette::StartIndex]);
                pax.AssignFrame(m_sceneCursor);
                pax.JumpToLocal(m_ground[i]);
                pax.SavePosition();
                pax.SetAngle(m_sceneCursor.GetAlpha() + m_heading[i], 90);
                Walk(state);
                trace.SetActive(false);
            }
        }
    }
    if (m_showResult) trace.Finish();
}

void tTarnsInterpreter::Walk(const tLSState& state) {
    // Nothing in a walk moves the eye, so its jumps may wait for their projection; the jumps
    // that set the turtle at its start are projected as they come.
    struct DeferredJumps {
        Pax3d& pax;
        explicit DeferredJumps(Pax3d& p) : pax(p) { pax.DeferJumps(true); }
        ~DeferredJumps() { pax.DeferJumps(false); }
        DeferredJumps(const DeferredJumps&) = delete;
        DeferredJumps& operator=(const DeferredJumps&) = delete;
    } deferred(m_stage.Pax());
    ExpandString(state, m_system.axiom);
}

bool tTarnsInterpreter::StopDue() {
    if (--m_stopCountdown != 0) return false;
    m_stopCountdown = StopCheckInterval;
    return StopRequested();
}

int tTarnsInterpreter::RuleFor(unsigned char c) {
    const int more = m_ruleCount[c];
    if (more > 0) return m_ruleIndex[Random(more + 1)][c];
    return m_ruleIndex[0][c];
}

bool tTarnsInterpreter::Enter(const tLSState& state, const char* text, uint32_t length, uint64_t repeats,
                              unsigned char symbol) {
    if (StopDue()) return false;
    const uint32_t level = m_frames.empty() ? 0 : m_frames.back().level + 1;
    m_frames.emplace_back(text, length, repeats, symbol, state);
    m_frames.back().level = level;
    NoteLevel(level);
    Begin(m_frames.back());
    return true;
}

bool tTarnsInterpreter::EnterInPlace(Frame& frame, const std::string& successor, unsigned char symbol) {
    if (StopDue()) return false;
    frame.text = successor.data();
    frame.length = static_cast<uint32_t>(successor.size());
    frame.symbol = symbol;
    NoteLevel(++frame.level);
    Begin(frame);
    return true;
}

void tTarnsInterpreter::NoteLevel(uint32_t level) {
    tLSStatistics& stats = m_commands.Statistics();
    if (level > stats.maxDepth) stats.maxDepth = level;
}

bool tTarnsInterpreter::Restart(Frame& frame, const tLSState& parentState) {
    if (StopDue()) return false;
    frame.state = parentState;
    Begin(frame);
    return true;
}

void tTarnsInterpreter::Begin(Frame& frame) {
    m_commands.ClearMode();
    frame.position = 0;
    frame.leaf = frame.state.depth == 0;
    if (!frame.leaf) --frame.state.depth;
    if (m_growth.active) StartGrowth(frame);
}

// --- growth ------------------------------------------------------------------------------------

void tTarnsInterpreter::SetGrowth(int depth, Extended fraction) {
    m_growth.active = true;
    m_growth.depth = static_cast<uint16_t>(std::clamp(depth, 0, 65535));
    m_growth.fraction = std::isnan(fraction) ? 1 : std::clamp<Extended>(fraction, 0, 1);
}

namespace {
bool DrawsSegment(unsigned char c) { return c == 'F' || c == 'G'; }
}  // namespace

bool tTarnsInterpreter::Grows(const Frame& frame) const {
    // The axiom is no generation's successor.
    return m_growth.fraction < 1 && frame.leaf && frame.symbol != 0;
}

void tTarnsInterpreter::StartGrowth(Frame& frame) {
    frame.branches = 0;
    if (Grows(frame) && !DrawsSegment(frame.symbol)) frame.state.step *= m_growth.fraction;
}

bool tTarnsInterpreter::InterpretGrowing(Frame& frame) {
    const Extended fraction = m_growth.fraction;
    while (frame.position < frame.length) {
        if (StopDue()) return false;
        const auto c = static_cast<unsigned char>(frame.text[frame.position++]);
        const bool command = m_commands.Mode() == OperandMode::None;
        if (command && c == '[' && frame.branches++ == 0 && fraction > 0) frame.state.step *= fraction;
        m_commands.Interpret(c, m_system, frame.state);
        if (command && c == ']' && frame.branches > 0 && --frame.branches == 0 && fraction > 0)
            frame.state.step /= fraction;
    }
    return true;
}

bool tTarnsInterpreter::InterpretLeaf(const char* text, uint32_t length, tLSState& state) {
    // The text in runs up to the next stop check; the commands do not touch the frames.
    for (uint32_t position = 0; position < length;) {
        const uint32_t run = std::min(length - position, m_stopCountdown);
        m_commands.InterpretText(text + position, run, m_system, state);
        position += run;
        m_stopCountdown -= run;
        if (m_stopCountdown == 0) {
            m_stopCountdown = StopCheckInterval;
            if (StopRequested()) return false;
        }
    }
    if (m_commands.Mode() == OperandMode::Parameters) m_commands.ReportMissingClose();
    return true;
}

bool tTarnsInterpreter::InterpretLeaves(const tLSState& parentState, uint32_t level, const std::string& text,
                                        uint64_t runs) {
    NoteLevel(level);
    for (uint64_t i = 0; i < runs; ++i) {
        if (StopDue()) return false;
        tLSState state = parentState;
        m_commands.ClearMode();
        if (!InterpretLeaf(text.data(), static_cast<uint32_t>(text.size()), state)) return false;
    }
    return true;
}

void tTarnsInterpreter::ExpandString(const tLSState& state, std::string_view text) {
    m_frames.clear();
    m_stopCountdown = StopCheckInterval;
    if (StopRequested()) return;
    const tLSystem& system = m_system;
    LSInterpreter& commands = m_commands;
    Enter(state, text.data(), static_cast<uint32_t>(text.size()), 0);
    while (!m_frames.empty()) {
        Frame* frame = &m_frames.back();
        if (frame->leaf && Grows(*frame) && DrawsSegment(frame->symbol)) {
            if (!InterpretGrowing(*frame)) return m_frames.clear();
            if (commands.Mode() == OperandMode::Parameters) commands.ReportMissingClose();
        } else if (frame->leaf) {
            if (!InterpretLeaf(frame->text, frame->length, frame->state)) return m_frames.clear();
            frame->position = frame->length;
        } else {
            bool descended = false;
            while (frame->position < frame->length) {
                if (StopDue()) return m_frames.clear();
                const auto c = static_cast<unsigned char>(frame->text[frame->position++]);
                // After "(", "~", "<", ">" or "$" the character is an operand, never rewritten.
                const int slot = commands.Mode() == OperandMode::None ? RuleFor(c) : -1;
                if (slot < 0) {
                    commands.Interpret(c, system, frame->state);
                    continue;
                }
                const std::string& successor = system.rules[static_cast<size_t>(slot)].successor;
                const uint64_t runs = commands.PrefixPending() ? commands.TakeRepeatCount() : 1;
                if (runs == 0 || successor.empty()) continue;   // an empty successor deletes
                if (frame->state.depth == 0 && !m_growth.active) {
                    // The successor is of the last generation: its runs are interpreted here,
                    // each from this frame's state, as a leaf frame would be, without one.
                    if (!InterpretLeaves(frame->state, frame->level + 1, successor, runs)) return m_frames.clear();
                    continue;
                }
                // The frame's last symbol, to be expanded once: the frame would end with it, so
                // the successor starts from the frame's state in the frame itself. Chains of
                // rules (x = gx) then keep no frame per generation.
                if (frame->position == frame->length && runs == 1 && frame->repeatsLeft == 0 && !m_growth.active) {
                    if (!EnterInPlace(*frame, successor, c)) return m_frames.clear();
                    descended = true;
                    break;
                }
                const tLSState copy = frame->state;   // the push may move the frames
                if (!Enter(copy, successor.data(), static_cast<uint32_t>(successor.size()), runs - 1, c))
                    return m_frames.clear();
                descended = true;
                break;
            }
            if (descended) continue;
        }
        if (frame->repeatsLeft > 0) {
            --frame->repeatsLeft;
            if (!Restart(*frame, m_frames[m_frames.size() - 2].state)) return m_frames.clear();
            continue;
        }
        m_frames.pop_back();
    }
}

// --- trace and saving --------------------------------------------------------------------------

void tTarnsInterpreter::SetShowResult(bool on) {
    m_showResult = on;
    m_commands.Trace().Clear();
}

bool tTarnsInterpreter::SaveLSystem(const std::string& fileName) const {
    if (!SaveVLSystem(ToVLSystem(m_system), fileName)) return false;
    ShowSavedMessage(fileName);
    return true;
}

}  // namespace pax
