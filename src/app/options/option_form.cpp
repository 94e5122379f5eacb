#include "app/options/option_form.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "app/basic_animations.h"
#include "app/config/configuration.h"
#include "app/main_state.h"
#include "app/studio.h"
#include "render/colour/filters.h"
#include "render/windows/object_window.h"
#include "render/windows/stage.h"
#include "render/windows/zbuffer.h"
#include "scene/light3d.h"
#include "system/error_reporting.h"
#include "system/file_utils.h"
#include "system/presenter.h"
#include "system/settings.h"
#include "system/sound.h"
#include "system/text_utils.h"

namespace pax {

namespace {

using I = OptionId;

tConfigValues& V() { return ConfigValues(); }

// Rotate and Times are shown in tenths.
constexpr int VectorScale = 10;

int32_t Tenths(long double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int32_t>(std::lrint(std::clamp(v * VectorScale, -1e9L, 1e9L)));
}

int32_t Whole(long double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int32_t>(std::lrint(std::clamp(v, -1e9L, 1e9L)));
}

// The stored int field of a slider that writes one directly; nullptr for the others.
int32_t tConfigValues::*FieldOf(OptionId id) {
    switch (id) {
    case I::FilterSlider: return &tConfigValues::ConvolutionFilter;
    case I::ScrollSpeedX: return &tConfigValues::ScrollStepX;
    case I::ScrollSpeedY: return &tConfigValues::ScrollStepY;
    case I::NormalLength: return &tConfigValues::NormalLength;
    case I::CyclingSpeed: return &tConfigValues::CyclingSpeed;
    case I::DetailLevel: return &tConfigValues::DetailLevel;
    case I::SpriteId: return &tConfigValues::SpriteId;
    case I::LineThickness: return &tConfigValues::LineThickness;
    case I::LineTransparency: return &tConfigValues::LineTransparency;
    case I::FillTransparency: return &tConfigValues::FillTransparency;
    case I::SpriteTransparency: return &tConfigValues::SpriteTransparency;
    case I::LightModel: return &tConfigValues::LightModel;
    case I::Ambient: return &tConfigValues::AmbientLight;
    case I::Diffuse: return &tConfigValues::DiffuseLight;
    case I::Specular: return &tConfigValues::SpecularLight;
    case I::Exponent: return &tConfigValues::ReflectionCoeff;
    case I::Segments: return &tConfigValues::Segments;
    case I::Layers: return &tConfigValues::Layers;
    case I::Radius: return &tConfigValues::Radius;
    case I::Width: return &tConfigValues::Width;
    case I::Length: return &tConfigValues::Length;
    case I::Height: return &tConfigValues::Height;
    case I::Deep: return &tConfigValues::Deep;
    case I::Objects: return &tConfigValues::Objects;
    case I::BasicAnimation: return &tConfigValues::BasicAnimation;
    case I::CallingDeep: return &tConfigValues::CallingDeep;
    case I::NextDemo: return &tConfigValues::NextDemoSeconds;
    case I::SoundVolume: return &tConfigValues::SoundVolume;
    default: return nullptr;
    }
}

// The vector component of an animation slider, and whether it is shown in tenths.
struct VectorSlot {
    tConfigVector tConfigValues::*Vector = nullptr;
    long double tConfigVector::*Component = nullptr;
    bool InTenths = false;
};

VectorSlot VectorOf(OptionId id) {
    using CV = tConfigVector;
    using TV = tConfigValues;
    switch (id) {
    case I::RotateX: return {&TV::Rotate, &CV::x, true};
    case I::RotateY: return {&TV::Rotate, &CV::y, true};
    case I::RotateZ: return {&TV::Rotate, &CV::z, true};
    case I::DistanceX: return {&TV::Distance, &CV::x, false};
    case I::DistanceY: return {&TV::Distance, &CV::y, false};
    case I::DistanceZ: return {&TV::Distance, &CV::z, false};
    case I::OscillateX: return {&TV::Oscillate, &CV::x, false};
    case I::OscillateY: return {&TV::Oscillate, &CV::y, false};
    case I::OscillateZ: return {&TV::Oscillate, &CV::z, false};
    case I::TimeX: return {&TV::Times, &CV::x, true};
    case I::TimeY: return {&TV::Times, &CV::y, true};
    case I::TimeZ: return {&TV::Times, &CV::z, true};
    default: return {};
    }
}

}  // namespace

OptionForm::OptionForm(Studio& studio)
    : m_studio(studio),
      m_defaultFonts(studio.GetStage().Font()),
      m_background(studio),
      m_random(static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count())) {}

void OptionForm::UpdateForm() {
    // A view that changes settings while it reads them must not read again inside.
    if (m_updating || !m_view) return;
    m_updating = true;
    m_view();
    m_updating = false;
}

void OptionForm::ApplySettings() {
    SetLightValues();
    m_studio.GetStage().View().SetSpriteId(static_cast<uint16_t>(std::clamp(V().SpriteId, 0, 39)));
    m_fonts->SelectFont(V().Font);
    if (Switches()[Switch::BackgroundPicture] && FileExists(V().UsedPicture))
        m_background.LoadBackgroundFile(V().UsedPicture);
}

void OptionForm::SetLightValues() {
    const tConfigValues& v = V();
    Light3d& light = m_studio.GetStage().Light();
    light.SetModel(std::clamp(v.LightModel, 0, 6));
    light.SetAmbient(std::clamp(v.AmbientLight, 0, 100) / 100.0L);
    light.SetDiffuse(std::clamp(v.DiffuseLight, 0, 100) / 100.0L);
    light.SetSpecular(std::clamp(v.SpecularLight, 0, 100) / 100.0L);
    light.SetSpecCoef(std::max(v.ReflectionCoeff, 10) / 10.0L);
    // The stored colour may carry alpha 0; the light's highlights blend with its own alpha.
    light.LightColor = v.LightColor | 0xFF000000u;
    light.Enabled = Switches()[Switch::LightIsOn];
    light.SpecularOn = Switches()[Switch::Highlights];
}

void OptionForm::ApplySwitch(int index, bool on) {
    switch (index) {
    case Switch::TilesBackground: m_background.Rebuild(); break;
    case Switch::LightIsOn: m_studio.GetStage().Light().Enabled = on; break;
    case Switch::PlaySound: SetSound(on); break;
    default: break;
    }
}

// --- controls ------------------------------------------------------------------------------------

int32_t OptionForm::Position(OptionId id) const {
    const OptionControl& c = ControlOf(id);
    int32_t p = 0;
    if (c.Kind == ControlKind::Check) {
        p = Switches()[static_cast<size_t>(c.Switch)] ? 1 : 0;
    } else if (id == I::Font) {
        p = V().Font + 1;
    } else if (const VectorSlot s = VectorOf(id); s.Vector) {
        const long double value = V().*s.Vector.*s.Component;
        p = s.InTenths ? Tenths(value) : Whole(value);
    } else {
        p = V().*FieldOf(id);
    }
    return std::clamp(p, c.Min, c.Max);
}

void OptionForm::Change(OptionId id, int32_t position) {
    Store(id, position);
    Done();
}

void OptionForm::Store(OptionId id, int32_t position) {
    const OptionControl& c = ControlOf(id);
    const int32_t p = std::clamp(position, c.Min, c.Max);
    Stage& stage = m_studio.GetStage();
    Light3d& light = stage.Light();
    if (c.Kind == ControlKind::Check) {
        // The light, the sound and the tiles follow through the switch's reaction.
        SetSwitch(c.Switch, p != 0);
        switch (id) {
        case I::ZBuffer: stage.ZBuffer().Clear(); break;
        case I::Highlights: light.SpecularOn = p != 0; break;
        default: break;
        }
        return;
    }
    if (const VectorSlot s = VectorOf(id); s.Vector) {
        V().*s.Vector.*s.Component = s.InTenths ? p / static_cast<long double>(VectorScale) : p;
        return;
    }
    switch (id) {
    case I::Font:
        // The font unit stores the number it took (beyond the last font it wraps to the first).
        V().Font = p - 1;
        m_fonts->SelectFont(p - 1);
        return;
    case I::BasicAnimation:
        // It stores the number itself, and prepares the ghost only for a new one.
        m_studio.Animations().SelectBasicAnimation(p);
        return;
    default: break;
    }
    V().*FieldOf(id) = p;
    switch (id) {
    case I::SpriteId: stage.View().SetSpriteId(static_cast<uint16_t>(p)); break;
    case I::LightModel: light.SetModel(p); break;
    case I::Ambient: light.SetAmbient(p / 100.0L); break;
    case I::Diffuse: light.SetDiffuse(p / 100.0L); break;
    case I::Specular: light.SetSpecular(p / 100.0L); break;
    case I::Exponent: light.SetSpecCoef(p / 10.0L); break;
    case I::NextDemo: m_studio.State().SetNextDemoTime(p); break;
    case I::SoundVolume: SetSoundVolume(p); break;
    default: break;
    }
}

void OptionForm::Done() {
    UpdateForm();
    m_studio.State().RestartDemo();
}

std::string OptionForm::LabelText(OptionId id) const {
    const OptionControl& c = ControlOf(id);
    if (c.Kind == ControlKind::Check) return {};
    const int32_t p = Position(id);
    switch (id) {
    case I::FilterSlider: return FilterName(p);
    case I::Font: return m_fonts->FontName(p - 1);
    case I::BasicAnimation: return "anim: " + std::string(AnimationName(p));
    case I::Ambient:
    case I::Diffuse:
    case I::Specular: return FloatToText(2, 0, p / 100.0L);
    case I::Exponent: return FloatToText(1, 0, p / 10.0L);
    default: break;
    }
    if (const VectorSlot s = VectorOf(id); s.Vector && s.InTenths) return FloatToText(1, 0, p / 10.0L);
    return std::to_string(p);
}

void OptionForm::ResetAnimationBox(std::string_view box) {
    bool any = false;
    for (const OptionControl& c : OptionControls()) {
        if (c.Tab != OptionTab::Animation || c.Box != box) continue;
        Store(c.Id, 0);
        any = true;
    }
    if (any) Done();
}

// --- group buttons -------------------------------------------------------------------------------

void OptionForm::Group(OptionTab tab, GroupAction action) {
    switch (action) {
    case GroupAction::Reset: ResetTab(tab); break;
    case GroupAction::Random: RandomizeGroup(tab); break;
    case GroupAction::Fast:
        if (tab != OptionTab::Drawing) return;
        FastDrawing();
        break;
    case GroupAction::Maximum:
        if (tab != OptionTab::BasicValues) return;
        MaximumBasicValues();
        break;
    case GroupAction::Copy: return;   // the widgets put FigureValues::CopyText on the clipboard
    }
    Done();
}

void OptionForm::ResetTab(OptionTab tab) {
    if (tab == OptionTab::FigureValues) {
        m_figures.ResetToDefaults();
        return;
    }
    const int previousAnimation = V().BasicAnimation;
    pax::ResetGroup(GlobalSettings(), OptionTabGroup(tab));
    // The selection compares with the number shown so far.
    const int animation = V().BasicAnimation;
    V().BasicAnimation = previousAnimation;
    for (const OptionControl& c : OptionControls()) {
        if (c.Tab != tab) continue;
        Store(c.Id, c.Id == I::BasicAnimation ? animation : Position(c.Id));
    }
    if (tab == OptionTab::Light) SetLightValues();
    // The motion speed follows the stored step, which is one of the basic values.
    if (tab == OptionTab::BasicValues) SetMotionSpeed(m_studio.State().EyeMotion, V().Step / 10.0L);
}

int32_t OptionForm::Random(int32_t n) {
    if (n <= 1) return 0;
    return std::uniform_int_distribution<int32_t>(0, n - 1)(m_random);
}

int32_t OptionForm::RandomPosition(OptionId id) {
    const OptionControl& c = ControlOf(id);
    return c.Min + Random(c.Max - c.Min + 1);
}

void OptionForm::RandomizeGroup(OptionTab tab) {
    static constexpr I Background[] = {I::Refresh, I::Picture, I::Tiles, I::Scroll, I::Filter, I::FilterSlider};
    static constexpr I Drawing[] = {I::RainbowColors,    I::AntiAliasedLine,  I::AntiAliasedPolygon,
                                    I::PolygonFilling,   I::PolygonBorder,    I::CyclingSpeed,
                                    I::LineTransparency, I::FillTransparency, I::SpriteTransparency};
    static constexpr I Light[] = {I::LightModel, I::Ambient,   I::Diffuse,           I::Specular,  I::Exponent,
                                  I::ShowLight,  I::LightIsOn, I::DoubleSidedPlanes, I::Highlights};
    static constexpr I Animation[] = {I::RotateX,    I::RotateY,    I::RotateZ,    I::DistanceX,
                                      I::DistanceY,  I::DistanceZ,  I::OscillateX, I::OscillateY,
                                      I::OscillateZ, I::TimeX,      I::TimeY,      I::TimeZ};
    static constexpr I Basic[] = {I::Segments, I::Layers, I::Radius, I::Width,
                                  I::Length,   I::Height, I::Deep,   I::Objects};
    std::span<const I> ids;
    switch (tab) {
    case OptionTab::Background: ids = Background; break;
    case OptionTab::Drawing: ids = Drawing; break;
    case OptionTab::Light:
        SetLightColor(static_cast<TColor32>(Random(0x1000000)) | 0xFF000000u);
        ids = Light;
        break;
    case OptionTab::BasicValues: ids = Basic; break;
    case OptionTab::Animation: ids = Animation; break;
    case OptionTab::FigureValues: m_figures.Randomize([this](int32_t n) { return Random(n); }); return;
    }
    for (I id : ids) Store(id, RandomPosition(id));
}

void OptionForm::FastDrawing() {
    const std::pair<I, int32_t> fast[] = {
        {I::CullFace, 1},         {I::ShowAxis, 0},           {I::ShowNormals, 0},
        {I::VertexNumbers, 0},    {I::LineThickness, 1},      {I::AntiAliasedLine, 0},
        {I::AntiAliasedPolygon, 0}, {I::PolygonFilling, 1},   {I::PolygonBorder, 1},
        {I::LineTransparency, 0}, {I::FillTransparency, 0},   {I::SpriteTransparency, 0},
    };
    for (const auto& [id, p] : fast) Store(id, p);
}

void OptionForm::MaximumBasicValues() {
    for (const OptionControl& c : OptionControls())
        if (c.Tab == OptionTab::BasicValues) Store(c.Id, c.Max);
}

// --- light ---------------------------------------------------------------------------------------

void OptionForm::ChooseLightPreset(int index) {
    const std::span<const LightPreset> presets = LightPresets();
    if (index < 0 || static_cast<size_t>(index) >= presets.size()) {
        ShowError(PresetCaption, PresetText, Buttons::AbortRetryIgnoreDefault2);
        return;
    }
    const LightPreset& p = presets[static_cast<size_t>(index)];
    Store(I::LightModel, p.Model);
    Store(I::Ambient, p.Ambient);
    Store(I::Diffuse, p.Diffuse);
    Store(I::Specular, p.Specular);
    Store(I::Exponent, p.Exponent);
    Store(I::DoubleSidedPlanes, p.DoubleSided ? 1 : 0);
    Done();
}

void OptionForm::SetLightColor(TColor32 colour) {
    V().LightColor = colour;
    m_studio.GetStage().Light().LightColor = colour | 0xFF000000u;
    Done();
}

TColor32 OptionForm::LightColor() const { return V().LightColor; }

// --- figure values -------------------------------------------------------------------------------

void OptionForm::DefineFigureValue(int index, std::string name, int decimals, Extended min, Extended max,
                                   Extended value) {
    m_figures.Define(index, std::move(name), decimals, min, max, value);
    UpdateForm();
}

void OptionForm::SetFigureValue(int index, Extended value) {
    m_figures.Set(index, value);
    UpdateForm();
}

void OptionForm::ResetFigureValues() {
    m_figures.Reset();
    UpdateForm();
}

void OptionForm::ChangeFigureValue(int index, int32_t position) {
    m_figures.SetPosition(index, position);
    Done();
}

void OptionForm::CentreTag(int tag) {
    const int figure = tag - FigureValues::FirstTag + 1;
    if (figure >= 1 && figure <= FigureValues::Count) {
        const tFigureValue& s = m_figures.Slot(figure);
        ChangeFigureValue(figure, (s.SliderMin() + s.SliderMax()) / 2);
        return;
    }
    if (const OptionControl* c = ControlOfTag(tag)) CentreSlider(c->Id);
}

std::string OptionForm::ConfigFileText() const {
    const std::string& file = V().ConfigFileName;
    return file.empty() ? "(built-in defaults, not saved)" : file;
}

}  // namespace pax
