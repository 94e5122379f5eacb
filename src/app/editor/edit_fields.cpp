#include "app/editor/edit_fields.h"

#include <charconv>
#include <cmath>

#include "lsystem/ls_def.h"
#include "lsystem/ls_system.h"
#include "lsystem/vl_system.h"
#include "system/numbers.h"
#include "system/text_utils.h"

namespace pax {
namespace {

bool Blank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

// The length in bytes of the UTF-8 character that text starts with.
size_t FirstCharacterSize(std::string_view text) { return CutText(text, 1).size(); }

RuleRow RowOf(std::string_view rule) {
    const size_t symbol = FirstCharacterSize(rule);
    std::string_view rest = rule.substr(symbol);
    rest.remove_prefix(FirstCharacterSize(rest));   // the separator, ":" or "="
    return {std::string(rule.substr(0, symbol)), std::string(rest)};
}

// Fifteen digits: the library's values are written as doubles, and 0.85 should read so.
std::string FieldText(Extended value) { return FloatToText(0, 0, value); }

int RoundedSpin(Extended value, int scale) {
    const Extended scaled = std::round(value * scale);
    if (!(scaled > -2e9L)) return -2000000000;   // also NaN
    if (scaled > 2e9L) return 2000000000;
    return static_cast<int>(scaled);
}

}  // namespace

std::optional<Extended> ReadNumber(std::string_view text) {
    std::string number;
    for (char c : text) {
        if (c == ' ') continue;
        number += c == ',' ? '.' : c;
    }
    if (number.empty()) return std::nullopt;
    long double value = 0;
    const char* end = number.data() + number.size();
    auto [ptr, error] = std::from_chars(number.data(), end, value, std::chars_format::general);
    if (error != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return static_cast<Extended>(value);
}

void PairedNumber::SetText(std::string_view text) {
    Text = CutText(text, TextCapacity);
    if (std::optional<Extended> value = Value()) Spin = ClampInt(RoundedSpin(*value, Scale), Min, Max);
}

void PairedNumber::SetSpin(int value) {
    Spin = ClampInt(value, Min, Max);
    Text = FieldText(static_cast<Extended>(Spin) / Scale);
}

void PairedNumber::SetValue(Extended value) {
    Text = FieldText(value);
    Spin = ClampInt(RoundedSpin(value, Scale), Min, Max);
}

std::optional<Extended> PairedNumber::Value() const { return ReadNumber(Text); }

void EditFields::SetName(std::string_view text) { Name = CutText(text, NameCapacity); }
void EditFields::SetStep(int value) { Step = ClampInt(value, StepMin, StepMax); }
void EditFields::SetDeep(int value) { Deep = ClampInt(value, DeepMin, DeepMax); }
void EditFields::SetObjects(int value) { Objects = ClampInt(value, ObjectsMin, ObjectsMax); }

std::optional<int> EditFields::AddRow(int after) {
    if (static_cast<int>(Rules.size()) >= MaxRows) return std::nullopt;
    const int at = after >= 0 && after < static_cast<int>(Rules.size()) ? after + 1 : static_cast<int>(Rules.size());
    Rules.insert(Rules.begin() + at, RuleRow{});
    return at;
}

void EditFields::SetCell(int row, int column, std::string_view text) {
    if (row < 0 || row >= static_cast<int>(Rules.size())) return;
    RuleRow& r = Rules[static_cast<size_t>(row)];
    if (column == 0) {
        const size_t start = text.find_first_not_of(' ');
        r.Symbol = start == std::string_view::npos ? std::string() : CutText(text.substr(start), 1);
    } else {
        r.Successor = std::string(text);
    }
}

void EditFields::DeleteRow(int row) {
    if (row >= 0 && row < static_cast<int>(Rules.size())) Rules.erase(Rules.begin() + row);
}

int EditFields::MoveRow(int row, int delta) {
    const int count = static_cast<int>(Rules.size());
    if (row < 0 || row >= count) return row;
    const int to = ClampInt(row + delta, 0, count - 1);
    RuleRow moved = std::move(Rules[static_cast<size_t>(row)]);
    Rules.erase(Rules.begin() + row);
    Rules.insert(Rules.begin() + to, std::move(moved));
    return to;
}

bool EditFields::Valid() const {
    if (Blank(Name) || Blank(Axiom) || Rules.empty()) return false;
    const std::string& first = Rules.front().Symbol;
    if (first.empty() || first == "=") return false;
    return Angle.Value() && Thick.Value() && Factor.Value();
}

std::optional<tLSDef> EditFields::Definition() const {
    if (!Valid()) return std::nullopt;
    tLSDef def;
    def.name = Name;
    def.info = Info;
    def.link = Link;
    def.angle = *Angle.Value();
    def.thickness = *Thick.Value();
    def.factor = *Factor.Value();
    def.step = Step;
    def.deep = Deep;
    def.axiom = Axiom;
    for (const RuleRow& row : Rules)
        if (!row.Symbol.empty()) def.rules.push_back(row.Symbol + "=" + row.Successor);
    return def;
}

void EditFields::Fill(const tLSystem& system) {
    Name = system.name;
    Info = system.info;
    Link = system.link;
    Axiom = FromCharacterBytes(system.axiom);
    Angle.SetValue(system.angle);
    Thick.SetValue(system.thickness);
    Factor.SetValue(system.factor);
    SetStep(RoundedSpin(system.step, 1));
    SetDeep(system.deep);
    Rules.clear();
    for (const tGenerator& rule : system.rules)
        if (rule.symbol != 0)
            Rules.push_back({FromCharacterBytes(std::string_view(&rule.symbol, 1)), FromCharacterBytes(rule.successor)});
}

void EditFields::Fill(const tVLSystem& node) {
    Name = node.name;
    Info = node.info;
    Link = node.link;
    Axiom = node.axiom;
    Angle.SetValue(node.angle);
    Thick.SetValue(node.thickness);
    Factor.SetValue(node.factor);
    SetStep(RoundedSpin(node.step, 1));
    SetDeep(node.deep);
    Rules.clear();
    for (const std::string& rule : node.rules) {
        if (static_cast<int>(Rules.size()) == MaxRows) break;
        if (!rule.empty()) Rules.push_back(RowOf(rule));
    }
}

}  // namespace pax
