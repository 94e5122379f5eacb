#pragma once
// EditFields: the values of the editor's "edit" page and what they mean. Angle, thickness
// and factor each have a text field paired with a spin field that holds the value x 100,
// x 100 and x 1000; a change of either side writes the other, and only that side, so the
// pair never bounces. The page is valid when name and axiom are not blank and the first
// rules row has a predecessor other than "="; then it makes a definition.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/extended.h"

namespace pax {

struct tLSDef;
struct tLSystem;
struct tVLSystem;

// A text field and its spin field; the spin holds the text's value x Scale, rounded and kept
// within Min .. Max as a spin field keeps it.
struct PairedNumber {
    int Scale;
    int Min, Max;
    size_t TextCapacity;   // characters a user may type
    std::string Text;
    int Spin;

    // A typed text: cut to the capacity; when it reads as a number the spin follows.
    void SetText(std::string_view text);
    // A spin value (kept within range); the text follows as value / Scale.
    void SetSpin(int value);
    // Both sides from a value; the text keeps every digit the value has.
    void SetValue(Extended value);
    // The text's number; nullopt when it is not one.
    std::optional<Extended> Value() const;
};

// A number as a field holds it: "22.5", " 22,5 ", "-3" and "1e3" read; "", "1.2.3" and
// "abc" do not. The fields write numbers with
// at most 15 significant digits.
std::optional<Extended> ReadNumber(std::string_view text);

struct RuleRow {
    std::string Symbol;      // the predecessor: one character
    std::string Successor;
    bool operator==(const RuleRow&) const = default;
};

struct EditFields {
    static constexpr size_t NameCapacity = 27;
    static constexpr int MaxRows = 41;

    std::string Name;
    std::string Info;
    std::string Link;   // not on the page: kept from the system the fields came from
    std::string Axiom;
    std::vector<RuleRow> Rules;
    PairedNumber Angle{100, 0, 18000, 8, "10", 1000};
    PairedNumber Thick{100, 0, 9900, 5, "1", 100};
    PairedNumber Factor{1000, 1, 2000, 5, "0.8", 800};
    int Step = 100;      // 1 .. 500
    int Deep = 1;        // 0 .. 99
    int Objects = 1;     // 1 .. 20

    static constexpr int StepMin = 1, StepMax = 500;
    static constexpr int DeepMin = 0, DeepMax = 99;
    static constexpr int ObjectsMin = 1, ObjectsMax = 20;

    void SetName(std::string_view text);
    // Spin values kept within their ranges.
    void SetStep(int value);
    void SetDeep(int value);
    void SetObjects(int value);

    // --- the rules grid --------------------------------------------------------------------
    // A new empty row after row (at the end when row is outside); nullopt when the grid is full.
    std::optional<int> AddRow(int after);
    // column 0 the predecessor (cut to its first character), 1 the successor.
    void SetCell(int row, int column, std::string_view text);
    void DeleteRow(int row);
    // Moves row by delta places; the row's new index (the old one when it cannot move).
    int MoveRow(int row, int delta);

    // Name and axiom not blank, the first row's predecessor present and not "=", and angle,
    // thickness and factor texts that read as numbers.
    bool Valid() const;
    // Rules as predecessor + "=" + successor (rows without a predecessor left out); angle,
    // thickness and factor from the texts, step and deep from the spins. Only when Valid.
    std::optional<tLSDef> Definition() const;

    // The fields of a prepared system (Get) or of a file's node (Edit); objects unchanged.
    void Fill(const tLSystem& system);
    void Fill(const tVLSystem& node);
};

}  // namespace pax
