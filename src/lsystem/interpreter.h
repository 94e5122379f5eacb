#pragma once
// tTarnsInterpreter: the program's one L-system engine. It owns the registered definitions
// (the built-in library and what the shell adds), the selected system with its rule tables,
// the L-system palette, the random seed of the drawings and the plant positions; it derives
// the selected system depth first and hands every terminal symbol to LSInterpreter at once,
// so no derived string is ever built.
//
// The walk keeps its levels on an explicit stack of frames, not on the machine stack: a
// system may ask for 65535 generations. Memory grows with the depth only (one frame per
// level, kept for the next drawing), never with the length of the derivation.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/vector3d.h"
#include "lsystem/commands.h"
#include "lsystem/ls_def.h"
#include "lsystem/ls_palette.h"
#include "lsystem/ls_system.h"

namespace pax {

class Stage;
class TCursor3d;
struct tVLSystem;

// What the interpreter asks of the application shell: the demo catalogue's registrations and
// the animation values that a newly selected system wants. Every operation does nothing
// unless the shell overrides it.
class tLSShell {
public:
    virtual ~tLSShell() = default;
    // A library category (a demo), before its figures.
    virtual void RegisterAnimation(const std::string& category) { (void)category; }
    // A registered definition (a figure); its drawing procedure is DrawFigure after the
    // category's start has selected it by name.
    virtual void RegisterFigure(const std::string& name) { (void)name; }
    // The rotation vector of the basic animation (3-D systems).
    virtual void SetRotationVector(const tVector3d& rotation) { (void)rotation; }
    // The three animation values of the second kind (plane systems, category start).
    virtual void SetSecondValues(Extended a, Extended b, Extended c) {
        (void)a;
        (void)b;
        (void)c;
    }
};

// The animation values set last, as the shell would read them.
struct tLSAnimationValues {
    bool rotationSet = false;
    tVector3d rotation;
    bool secondSet = false;
    std::array<Extended, 3> second{};
};

class tTarnsInterpreter {
public:
    static constexpr uint32_t DefaultSeed = 123456789;
    static constexpr int Alternatives = 10;      // rules per character that are chosen among
    static constexpr int GroundPositions = 100;
    static constexpr int MaxPlants = 20;         // the editor's objects field
    static constexpr Extended PlaneBack = 250;   // plane systems stand this far back
    // The stop request is read after this many symbols and expansions.
    static constexpr uint32_t StopCheckInterval = 1024;

    // Registers the built-in library (InitLSystems) and selects the start definition "empty".
    // shell may be nullptr; it must outlive the interpreter. sceneCursor is the cursor whose
    // frame 3-D plants grow in (the shell's ghost cursor).
    tTarnsInterpreter(Stage& stage, TCursor3d& sceneCursor, tLSShell* shell = nullptr);
    tTarnsInterpreter(const tTarnsInterpreter&) = delete;
    tTarnsInterpreter& operator=(const tTarnsInterpreter&) = delete;

    // --- definitions --------------------------------------------------------------------------
    // Appends a copy (double quotes in axiom and rules become apostrophes) and registers it as
    // a figure with the shell.
    void AddLSDef(const tLSDef& def);
    const std::vector<std::unique_ptr<tLSDef>>& Definitions() const { return m_definitions; }
    // The first definition of that exact name; nullptr when there is none.
    const tLSDef* FindLSDef(std::string_view name) const;

    // Select a definition or a file node: convert, then Prepare. A range error (deep, rule
    // count) is reported in the message line and the selection stays as it was: false.
    bool SetLSDef(const tLSDef& def);
    bool SetVLSystem(const tVLSystem& node);
    const tLSystem& System() const { return m_system; }

    // Rule tables of the selected system: the slot of alternative k for character c (-1 none),
    // and how many alternatives beyond the first c has.
    int8_t RuleIndex(int alternative, unsigned char c) const { return m_ruleIndex[alternative][c]; }
    int8_t RuleCount(unsigned char c) const { return m_ruleCount[c]; }
    bool Stochastic() const { return m_stochastic; }
    const tLSAnimationValues& AnimationValues() const { return m_animation; }

    // --- drawing ------------------------------------------------------------------------------
    // The figure drawing procedure: the generator seeded with Seed(), then DrawLSystem.
    void DrawFigure();
    // The selected system with the stage's "Pax" turtle into the stage's view.
    void DrawLSystem();
    uint32_t Seed() const { return m_seed; }
    void SetSeed(uint32_t seed) { m_seed = seed; }
    int PlantCount() const { return m_plantCount; }
    // Held within 1 .. MaxPlants.
    void SetPlantCount(int count);
    // Position and heading (degrees) of plant i, 0-based.
    const tVector3d& GroundPosition(int i) const { return m_ground[static_cast<size_t>(i)]; }
    Extended GroundHeading(int i) const { return m_heading[static_cast<size_t>(i)]; }

    // --- the category start procedure -----------------------------------------------------------
    // The palette rebuilt; the first definition named figureName (when there is one) selected,
    // the scene cursor reset and the animation values of the second kind set to 4, 0, 200.
    void StartCategory(std::string_view figureName);
    void RebuildPalette() { m_palette.Rebuild(); }
    const tLSPalette& Palette() const { return m_palette; }

    // --- growth ------------------------------------------------------------------------------
    // The next drawings derive depth generations (held within 0 .. 65535) instead of the
    // system's own, with the segments that the last generation adds drawn at fraction (held
    // within 0 .. 1) of their length: the successor of a symbol that draws nothing (a bud)
    // grows as a whole, that of a segment (F, G) in its branches ("[" .. "]") while its main
    // line stays. Fraction 1 draws the figure of that depth exactly.
    void SetGrowth(int depth, Extended fraction);
    void ClearGrowth() { m_growth = {}; }

    // --- trace and statistics -----------------------------------------------------------------
    // The trace of the next drawings on or off; either way the result list and the counter
    // are cleared.
    void SetShowResult(bool on);
    bool ShowResult() const { return m_showResult; }
    // The system's name, then the traced commands in lines of 56 characters.
    const std::vector<std::string>& ResultLines() const { return m_commands.Trace().Lines(); }
    uint64_t ResultCounter() const { return m_commands.Trace().Counter(); }
    // Counters of the last drawing.
    const tLSStatistics& Statistics() const { return m_commands.Statistics(); }

    // --- saving -------------------------------------------------------------------------------
    // The selected system as a node, alone in the file; success is confirmed with a box.
    bool SaveLSystem(const std::string& fileName) const;

    // The command interpreter (its prefix, modes and trace), for the walk's tests.
    LSInterpreter& Commands() { return m_commands; }

private:
    struct Frame {
        // Built from its values in place: a value-initialised frame would be zeroed first,
        // which costs more than the rest of entering a level.
        Frame(const char* text_, uint32_t length_, uint64_t repeats, unsigned char symbol_, const tLSState& state_)
            : text(text_), length(length_), symbol(symbol_), repeatsLeft(repeats), state(state_) {}

        const char* text = nullptr;
        uint32_t length = 0;
        uint32_t position = 0;
        bool leaf = false;            // entered at depth 0: every character is interpreted
        unsigned char symbol = 0;     // the character this frame's text replaces (0: the axiom)
        uint16_t branches = 0;        // "[" open in this frame's text (growth only)
        uint32_t level = 0;           // generations below the axiom (frames reused count too)
        uint64_t repeatsLeft = 0;     // further runs of the same text
        tLSState state;
    };

    void InitLSystems();
    void MakeGroundPositions();
    void Select(tLSystem system);
    void Prepare();
    void SetAnimationRotation(const tVector3d& rotation);
    void SetAnimationSecond(Extended a, Extended b, Extended c);

    // The derivation of text from state (the recursive walk, kept on m_frames).
    void ExpandString(const tLSState& state, std::string_view text);
    // Opens a level for text as the recursion would enter it; false when a stop was
    // requested (the walk then ends).
    bool Enter(const tLSState& state, const char* text, uint32_t length, uint64_t repeats,
               unsigned char symbol = 0);
    // Starts the top frame again from its parent's state; false on a stop request.
    bool Restart(Frame& frame, const tLSState& parentState);
    // What every entry does: mode and nesting cleared, the text from its start, one
    // generation used unless the frame interprets (depth 0).
    void Begin(Frame& frame);
    // The rule slot for c in a frame that rewrites, -1 for none.
    int RuleFor(unsigned char c);
    // The axiom's derivation from state, its jumps deferred (Pax3d::DeferJumps).
    void Walk(const tLSState& state);
    bool StopDue();
    // Growth: whether frame is of the last generation and shorter than full, and its text
    // interpreted symbol by symbol (a segment's successor, whose branches grow).
    bool Grows(const Frame& frame) const;
    void StartGrowth(Frame& frame);
    // A leaf's text interpreted from state, with the stop checks; false on a stop request.
    bool InterpretLeaf(const char* text, uint32_t length, tLSState& state);
    // runs of a last-generation successor, each from parentState as its own leaf frame would
    // be (at level, one below the current frame); false on a stop request.
    bool InterpretLeaves(const tLSState& parentState, uint32_t level, const std::string& text, uint64_t runs);
    // The successor of the frame's last symbol, once, in the frame itself: nothing of the
    // frame is needed after it. false on a stop request.
    bool EnterInPlace(Frame& frame, const std::string& successor, unsigned char symbol);
    // The deepest level in the statistics.
    void NoteLevel(uint32_t level);
    // The leaf frame's text one symbol at a time; false on a stop request.
    bool InterpretGrowing(Frame& frame);

    Stage& m_stage;
    TCursor3d& m_sceneCursor;
    tLSShell* m_shell;
    std::vector<std::unique_ptr<tLSDef>> m_definitions;
    tLSystem m_system;
    std::array<std::array<int8_t, 256>, Alternatives> m_ruleIndex{};
    std::array<int8_t, 256> m_ruleCount{};
    bool m_stochastic = false;
    tLSAnimationValues m_animation;

    uint32_t m_seed = DefaultSeed;
    int m_plantCount = 1;
    std::array<tVector3d, GroundPositions> m_ground{};
    std::array<Extended, GroundPositions> m_heading{};

    tLSPalette m_palette;
    LSInterpreter m_commands;
    bool m_showResult = false;
    std::vector<Frame> m_frames;
    uint32_t m_stopCountdown = StopCheckInterval;
    struct Growth {
        bool active = false;
        uint16_t depth = 0;
        Extended fraction = 1;
    } m_growth;
};

}  // namespace pax
