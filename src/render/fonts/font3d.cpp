#include "render/fonts/font3d.h"

#include "system/error_reporting.h"
#include "system/settings.h"

namespace pax {

namespace {

constexpr const char* UseFontCaption = " PaxFont: tFont3d.UseFont";
constexpr const char* OpenFontCaption = " PaxFont: tFont3d.OpenFont";
constexpr const char* CloseFontCaption = " PaxFont: tFont3d.CloseFont";

std::string LoadErrorText(const std::string& path, int32_t code) {
    std::string text = " font file \"" + path + "\" not loaded: error " + std::to_string(code);
    if (code == tBGIFont::ErrorBadFormat) return text + ", not a stroke font";
    if (code == tBGIFont::ErrorNoMemory) return text + ", no memory";
    return text + ", " + FileErrorText(code);
}

}  // namespace

tFont3d::tFont3d() = default;
tFont3d::~tFont3d() = default;

uint8_t tFont3d::WrapFontNumber(int n) {
    const auto b = static_cast<uint8_t>(n);
    if (b < StrokeFontCount) return b;
    return static_cast<int8_t>(b) < 0 ? StrokeFontCount - 1 : 0;
}

void tFont3d::ResetCharValues() {
    CharWidth = DefaultCharWidth;
    CharHeight = DefaultCharHeight;
    CharDepth = DefaultCharDepth;
}

bool tFont3d::UseFont(int n) {
    auto vector = std::make_unique<tVectorFont>();
    if (!vector->SelectFont(n)) {
        ShowWarning(UseFontCaption, " font \"" + std::string(StrokeFontName(n)) + "\" not found");
        return false;
    }
    m_vector = std::move(vector);
    FontName = StrokeFontName(n);
    FontNumber = static_cast<uint8_t>(n);
    ResetCharValues();
    // The font number itself, as the options dialog's slider reads it (position - 1).
    ConfigValues().Font = n;
    return true;
}

bool tFont3d::OpenFont(int n) {
    tBGIFont loaded;
    const std::string path = tBGIFont::FontFilePath(StrokeFontName(n));
    if (n < 0 || n >= StrokeFontCount) loaded.Error = tVectorFont::ErrorNoFont;
    else loaded.LoadFile(path);
    if (loaded.Error != 0) {
        ShowPaxError(OpenFontCaption, LoadErrorText(path, loaded.Error));
        return false;
    }
    if (FontNumber != NoFont) CloseFont();
    File = std::move(loaded);
    FontNumber = static_cast<uint8_t>(n);
    ResetCharValues();
    return true;
}

bool tFont3d::SetFont(int n) {
    const uint8_t font = WrapFontNumber(n);
    if (font == FontNumber) return true;
    if (!OpenFont(font) || !UseFont(font)) return false;
    if (m_changed) m_changed();
    return true;
}

void tFont3d::CloseFont() {
    if (FontNumber == NoFont) {
        ShowError(CloseFontCaption, "missing OpenFont", 258);
        return;
    }
    File.Release();
    FontName.clear();
    FontNumber = NoFont;
}

void tFont3d::Start(int n) {
    if (SetFont(n)) return;
    if (FontNumber == NoFont) UseFont(WrapFontNumber(n));
}

}  // namespace pax
