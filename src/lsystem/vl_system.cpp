#include "lsystem/vl_system.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>
#include <type_traits>

#include "lsystem/parser.h"

namespace pax {
namespace {

constexpr std::array<std::string_view, VLFieldCount> FieldKeywords = {
    "name", "info", "link", "angle", "segments", "step", "thickness", "factor", "deep", "colors", "axiom", "rules"};

// A field comment stands at this column (counted from 1) unless the field is longer.
constexpr size_t CommentColumn = 36;

bool IsBareLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

// What a field reader works on while a node is read.
struct NodeReading {
    tParser& parser;
    tVLSystem& node;
    int32_t segments = DefaultSegments;
};

using FieldReader = bool (*)(NodeReading&);

bool ReadComments(NodeReading& r) {
    bool any = false;
    while (r.parser.SkipComment(r.node.comments)) any = true;
    return any;
}

// A value of the wrong kind was reported by the value reader; it is skipped, so that it does
// not give a second, "unexpected" error. A token that begins something else (a brace, a
// comment, a field or node keyword) is left for the node reader.
void SkipBadValue(NodeReading& r, bool read) {
    if (read) return;
    const tToken& token = r.parser.Token();
    const bool word = token.kind == TokenKind::Text &&
                      (token.quoted || (!IsVLFieldKeyword(token.text) && !r.parser.FindKeyword(token)));
    if (word || token.IsNumber()) r.parser.NextToken();
}

// A comment in place of the value leaves the field unchanged.
bool ReadString(NodeReading& r, VLField field, std::string& value) {
    if (!r.parser.Keyword(VLFieldKeyword(field))) return false;
    if (r.parser.Token().kind != TokenKind::Comment) SkipBadValue(r, r.parser.ReadText(value));
    r.parser.TakeTrailingComment(r.node.Comment(field));
    return true;
}

bool ReadFloat(NodeReading& r, VLField field, Extended& value, Extended min, Extended max) {
    if (!r.parser.Keyword(VLFieldKeyword(field))) return false;
    SkipBadValue(r, r.parser.ReadFloatInRange(value, min, max));
    r.parser.TakeTrailingComment(r.node.Comment(field));
    return true;
}

constexpr Extended Unlimited = std::numeric_limits<Extended>::infinity();

bool ReadName(NodeReading& r) { return ReadString(r, VLField::Name, r.node.name); }
bool ReadInfo(NodeReading& r) { return ReadString(r, VLField::Info, r.node.info); }
bool ReadLink(NodeReading& r) { return ReadString(r, VLField::Link, r.node.link); }
bool ReadAxiom(NodeReading& r) { return ReadString(r, VLField::Axiom, r.node.axiom); }
bool ReadAngle(NodeReading& r) { return ReadFloat(r, VLField::Angle, r.node.angle, -Unlimited, Unlimited); }
bool ReadStep(NodeReading& r) { return ReadFloat(r, VLField::Step, r.node.step, MinStep, MaxStep); }
bool ReadThickness(NodeReading& r) {
    return ReadFloat(r, VLField::Thickness, r.node.thickness, -Unlimited, Unlimited);
}
bool ReadFactor(NodeReading& r) { return ReadFloat(r, VLField::Factor, r.node.factor, -Unlimited, Unlimited); }

bool ReadDeep(NodeReading& r) {
    if (!r.parser.Keyword(VLFieldKeyword(VLField::Deep))) return false;
    SkipBadValue(r, r.parser.ReadLong(r.node.deep));
    r.parser.TakeTrailingComment(r.node.Comment(VLField::Deep));
    return true;
}

// Segments is never written, so a comment on its line joins the node's comment lines.
bool ReadSegments(NodeReading& r) {
    if (!r.parser.Keyword(VLFieldKeyword(VLField::Segments))) return false;
    const tToken& token = r.parser.Token();
    // 360 / segments must stay a turning angle: at least one segment.
    if (token.kind == TokenKind::Integer && token.intValue < 1)
        r.parser.Error(ParseErrorKind::ValueLess, TokenKind::None, "1");
    SkipBadValue(r, r.parser.ReadLongMax(r.segments, MaxSegments));
    std::string comment;
    if (r.parser.TakeTrailingComment(comment)) r.node.comments.push_back(comment);
    return true;
}

bool ReadColors(NodeReading& r) {
    tParser& p = r.parser;
    if (!p.Keyword(VLFieldKeyword(VLField::Colors))) return false;
    std::string& comment = r.node.Comment(VLField::Colors);
    p.TakeTrailingComment(comment);
    bool bracketed = p.Optional('[');
    r.node.colors.clear();
    while (p.Token().IsNumber()) {
        r.node.colors.push_back(p.Token().floatValue);
        p.NextToken();
        p.Optional(',');
    }
    if (bracketed) p.Expect(']');
    p.TakeTrailingComment(comment);
    p.SetMatched(true);
    return true;
}

// Without brackets the list ends at the first token that is no text, or at a bare word that
// starts the next field or node; within brackets comments are entries too.
bool IsRuleEntry(const tParser& p, bool bracketed) {
    const tToken& token = p.Token();
    if (bracketed) return token.kind == TokenKind::Text || token.kind == TokenKind::Comment;
    if (token.kind != TokenKind::Text) return false;
    return token.quoted || (!IsVLFieldKeyword(token.text) && !p.FindKeyword(token));
}

bool ReadRules(NodeReading& r) {
    tParser& p = r.parser;
    if (!p.Keyword(VLFieldKeyword(VLField::Rules))) return false;
    std::string& comment = r.node.Comment(VLField::Rules);
    p.TakeTrailingComment(comment);
    bool bracketed = p.Optional('[');
    r.node.rules.clear();
    // Without brackets a comment is an entry when a rule follows it, as within brackets.
    std::vector<tToken> comments;
    uint32_t lastLine = p.PreviousLine();
    for (;;) {
        if (IsRuleEntry(p, bracketed)) {
            for (const tToken& c : comments) r.node.rules.push_back(c.text);
            comments.clear();
            r.node.rules.push_back(p.Token().text);
            lastLine = p.Token().line;
            p.NextToken();
            p.Optional(',');
        } else if (!bracketed && p.Token().kind == TokenKind::Comment) {
            comments.push_back(p.Token());
            p.NextToken();
        } else {
            break;
        }
    }
    // Comments after the last rule: one on its line belongs to the field, the rest to the node.
    for (const tToken& c : comments) {
        if (comment.empty() && c.line == lastLine && &c == &comments.front())
            comment = c.text;
        else
            r.node.comments.push_back(c.text);
    }
    if (bracketed) p.Expect(']');
    p.TakeTrailingComment(comment);
    p.SetMatched(true);
    return true;
}

constexpr std::array<FieldReader, 1 + VLFieldCount> FieldReaders = {
    ReadComments, ReadName,   ReadInfo,   ReadLink,   ReadAngle, ReadSegments, ReadStep,
    ReadThickness, ReadFactor, ReadDeep, ReadColors, ReadAxiom, ReadRules};

void CheckNode(tParser& p, tVLSystem& node, int32_t segments) {
    if (node.name.empty()) p.Error(ParseErrorKind::ExpectingText, TokenKind::None, "name of LSystem");
    if (node.axiom.empty()) p.Error(ParseErrorKind::ExpectingText, TokenKind::None, "axiom of LSystem");
    if (node.rules.empty()) p.Error(ParseErrorKind::ExpectingText, TokenKind::None, "rules of LSystem");
    if (segments != DefaultSegments && segments >= 1) node.angle = 360.0L / segments;
}

// --- writer ---

struct NodeLine {
    std::string content;
    std::string comment;
};

void AddField(std::vector<NodeLine>& lines, VLField field, const std::string& value, const tVLSystem& node) {
    lines.push_back({std::string(VLFieldKeyword(field)) + " " + value, node.Comment(field)});
}

void AddStringField(std::vector<NodeLine>& lines, VLField field, const std::string& value, const tVLSystem& node) {
    if (value.empty() && node.Comment(field).empty()) return;
    AddField(lines, field, QuotedText(value), node);
}

template <class T>
void AddNumberField(std::vector<NodeLine>& lines, VLField field, T value, T defaultValue, const tVLSystem& node) {
    if (value == defaultValue && node.Comment(field).empty()) return;
    // An integer field in the shortest float form ("4e+05") would read back as no integer.
    if constexpr (std::is_integral_v<T>)
        AddField(lines, field, std::to_string(value), node);
    else
        AddField(lines, field, NumberText(value), node);
}

// The keyword line, then "[ " and the first value, further values under the first, "]".
void AddListField(std::vector<NodeLine>& lines, VLField field, const std::vector<std::string>& values,
                  const tVLSystem& node) {
    if (values.empty() && node.Comment(field).empty()) return;
    lines.push_back({std::string(VLFieldKeyword(field)), node.Comment(field)});
    if (values.empty()) {
        lines.push_back({"[ ]", {}});
        return;
    }
    for (size_t i = 0; i < values.size(); ++i) {
        std::string line(i == 0 ? "[ " : "  ");
        lines.push_back({line + values[i], {}});
    }
    lines.push_back({"]", {}});
}

std::vector<std::string> ColorTexts(const std::vector<Extended>& colors) {
    std::vector<std::string> texts;
    for (size_t i = 0; i < colors.size(); i += 3) {
        std::string text;
        for (size_t j = i; j < std::min(i + 3, colors.size()); ++j) {
            if (j > i) text += ' ';
            text += NumberText(colors[j]);
        }
        texts.push_back(text);
    }
    return texts;
}

std::vector<std::string> RuleTexts(const std::vector<std::string>& rules) {
    std::vector<std::string> texts;
    texts.reserve(rules.size());
    for (const std::string& rule : rules) texts.push_back(QuotedText(rule));
    return texts;
}

std::vector<NodeLine> NodeLines(const tVLSystem& node) {
    std::vector<NodeLine> lines;
    for (const std::string& comment : node.comments) lines.push_back({comment, {}});
    AddStringField(lines, VLField::Name, node.name, node);
    AddStringField(lines, VLField::Info, node.info, node);
    AddStringField(lines, VLField::Link, node.link, node);
    AddNumberField<Extended>(lines, VLField::Angle, node.angle, 30, node);
    AddNumberField<Extended>(lines, VLField::Step, node.step, 100, node);
    AddNumberField<Extended>(lines, VLField::Thickness, node.thickness, 1, node);
    AddNumberField<Extended>(lines, VLField::Factor, node.factor, 1, node);
    AddNumberField<int32_t>(lines, VLField::Deep, node.deep, 3, node);
    AddListField(lines, VLField::Colors, ColorTexts(node.colors), node);
    AddStringField(lines, VLField::Axiom, node.axiom, node);
    AddListField(lines, VLField::Rules, RuleTexts(node.rules), node);
    return lines;
}

}  // namespace

std::string_view VLFieldKeyword(VLField field) { return FieldKeywords[static_cast<size_t>(field)]; }

bool IsVLFieldKeyword(std::string_view word) {
    return std::find(FieldKeywords.begin(), FieldKeywords.end(), word) != FieldKeywords.end();
}

tVLSystem ReadVLSystem(tParser& p) {
    tVLSystem node;
    NodeReading reading{p, node};
    ReadComments(reading);
    p.Expect('{');
    while (!p.AtEnd()) {
        p.SetMatched(false);
        bool matched = false;
        for (FieldReader reader : FieldReaders) matched = reader(reading) || matched;
        if (p.Token().IsChar('}')) {
            CheckNode(p, node, reading.segments);
            p.NextToken();
            return node;
        }
        if (p.FindKeyword(p.Token())) {
            // The closing brace is missing and the next node begins: leave it to the file loop.
            p.Error(ParseErrorKind::ExpectingText, TokenKind::Char, "'}'");
            CheckNode(p, node, reading.segments);
            return node;
        }
        if (!matched) {
            p.Error(ParseErrorKind::Unexpected);
            p.NextToken();
        }
    }
    p.Error(ParseErrorKind::UnexpectedEnd);
    CheckNode(p, node, reading.segments);
    return node;
}

void RegisterVLSystem(tParser& parser, std::function<void(tVLSystem&& node)> onNode) {
    parser.Register(VLSystemKeyword, [onNode = std::move(onNode)](tParser& p) { onNode(ReadVLSystem(p)); });
}

std::string QuotedText(std::string_view text) {
    std::string clean;
    clean.reserve(text.size());
    for (char c : text) {
        if (c == '\t') c = ' ';
        if (static_cast<unsigned char>(c) < 32) continue;
        clean += c;
    }
    if (!clean.empty() && std::all_of(clean.begin(), clean.end(), IsBareLetter)) return clean;
    if (clean.find('"') == std::string::npos) return "\"" + clean + "\"";
    if (clean.find('\'') == std::string::npos) return "'" + clean + "'";
    std::replace(clean.begin(), clean.end(), '"', '\'');
    return "\"" + clean + "\"";
}

std::string VLSystemText(const tVLSystem& node, int indent) {
    std::string pad(static_cast<size_t>(std::max(indent, 0)), ' ');
    std::vector<NodeLine> lines = NodeLines(node);
    std::string text = "\n";
    text += VLSystemKeyword;
    text += "\n";
    if (lines.empty()) text += pad + "{\n";
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string line = pad;
        line += i == 0 ? "{ " : "  ";
        line += lines[i].content;
        if (!lines[i].comment.empty()) {
            line.resize(std::max(line.size() + 1, CommentColumn - 1), ' ');
            line += lines[i].comment;
        }
        text += line + "\n";
    }
    text += pad + "}\n";
    return text;
}

tLSDef ToLSDef(const tVLSystem& node) {
    tLSDef def;
    def.name = node.name;
    def.info = node.info;
    def.link = node.link;
    def.angle = node.angle;
    def.step = node.step;
    def.factor = node.factor;
    def.thickness = node.thickness;
    def.deep = node.deep;
    def.axiom = node.axiom;
    size_t used = std::min(node.rules.size(), MaxUsedRules);
    def.rules.assign(node.rules.begin(), node.rules.begin() + static_cast<std::ptrdiff_t>(used));
    return def;
}

tVLSystem ToVLSystem(const tLSDef& def) {
    tVLSystem node;
    node.name = def.name;
    node.info = def.info;
    node.link = def.link;
    node.angle = def.angle;
    node.step = def.step == 0 ? 100 : def.step;
    node.factor = def.factor == 0 ? 1 : def.factor;
    node.thickness = def.thickness;
    node.deep = def.deep;
    node.axiom = def.axiom;
    node.rules = def.rules;
    return node;
}

}  // namespace pax
