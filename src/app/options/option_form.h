#pragma once
// OptionForm: the options dialog "Pax3d Options" without its widgets. Every control writes
// its value at once into the settings (tConfigValues, Switches), passes it on to the engine
// object concerned (the light, the view, the fonts, the sound, the basic animations) and asks
// for a new picture. The dialog's widgets are built from the control table
// (option_controls.h) and read their positions and labels from here; UpdateForm tells them
// to read again whenever the settings changed elsewhere (keys of the main window, a reset,
// a preset, a new figure).
//
//     OptionForm& options = studio.Options();
//     options.Change(OptionId::Exponent, 10);        // the light's coefficient becomes 1.0
//     options.Group(OptionTab::Light, GroupAction::Reset);

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <string_view>

#include "app/options/background_pictures.h"
#include "app/options/figure_values.h"
#include "app/options/font_selection.h"
#include "app/options/option_controls.h"
#include "foundation/color32.h"

namespace pax {

class Studio;

class OptionForm {
public:
    static constexpr const char* Caption = "Pax3d Options";
    static constexpr const char* PresetCaption = "PaxOption: OptionForm.ComboBoxLightClick";
    static constexpr const char* PresetText = "wrong selection index";

    explicit OptionForm(Studio& studio);
    OptionForm(const OptionForm&) = delete;
    OptionForm& operator=(const OptionForm&) = delete;

    // The widgets' reader: called by UpdateForm. Empty for none.
    void SetView(std::function<void()> updateForm) { m_view = std::move(updateForm); }
    // The stroke fonts; nullptr restores the Stage's. Not owned.
    void SetFontSelection(FontSelection* fonts) { m_fonts = fonts ? fonts : &m_defaultFonts; }
    FontSelection& Fonts() const { return *m_fonts; }
    // Seeds the generator of the Random buttons (from the clock until then).
    void SeedRandom(uint32_t seed) { m_random.seed(seed); }

    // The engine takes every stored setting of the dialog: the light's values, the sprite,
    // the font, the used background picture when it is on and exists. Called once when the
    // dialog is created.
    void ApplySettings();
    // The widgets read every control again.
    void UpdateForm();
    // What a changed switch means to the engine: switch 12 rebuilds the background, 27 turns
    // the light on or off, 32 the sound. The set-switch operation's reaction.
    void ApplySwitch(int index, bool on);

    // --- controls -------------------------------------------------------------------------------
    // The control's position from the stored value (0 or 1 for a check box), limited to its
    // range.
    int32_t Position(OptionId id) const;
    // The control moved or was clicked: the position, limited to the range, is stored and
    // passed on, and a new picture follows.
    void Change(OptionId id, int32_t position);
    // The value label beside a slider (the number, or the filter's, font's or animation's
    // name); empty for a check box.
    std::string LabelText(OptionId id) const;
    // A double click on a value label (and a click on a scroll-speed label): the middle.
    void CentreSlider(OptionId id) { Change(id, ControlOf(id).Middle()); }
    // A double click on the animation tab's box ("rotate", "distance", "oscillation", "time"):
    // that vector back to its default.
    void ResetAnimationBox(std::string_view box);

    // A tab's group button; an action the tab has not is ignored.
    void Group(OptionTab tab, GroupAction action);
    // The " &Reset" of a tab, as the main window's background menu also uses it.
    void ResetGroup(OptionTab tab) { Group(tab, GroupAction::Reset); }

    // --- light ----------------------------------------------------------------------------------
    // A preset of LightPresets(); another index shows PresetCaption / PresetText and changes
    // nothing.
    void ChooseLightPreset(int index);
    void SetLightColor(TColor32 colour);
    TColor32 LightColor() const;

    // --- background pictures --------------------------------------------------------------------
    BackgroundPictures& Background() { return m_background; }

    // --- figure values --------------------------------------------------------------------------
    FigureValues& Figures() { return m_figures; }
    const FigureValues& Figures() const { return m_figures; }
    // DefineFigureValue, SetFigureValue and ResetFigureValues, each followed by UpdateForm.
    void DefineFigureValue(int index, std::string name, int decimals, Extended min, Extended max, Extended value);
    void SetFigureValue(int index, Extended value);
    void ResetFigureValues();
    Extended FloatValue(int index) const { return m_figures.FloatValue(index); }
    int32_t IntValue(int index) const { return m_figures.IntValue(index); }
    uint8_t ByteValue(int index) const { return m_figures.ByteValue(index); }
    // The slider of a figure value moved (gValueChange).
    void ChangeFigureValue(int index, int32_t position);
    // The basic value or figure value slider with tag 40 .. 47 or 51 .. 66 to its middle;
    // another tag is reported (wrong tag) and changes nothing.
    void CentreTag(int tag);

    // The text of the "config file:" label.
    std::string ConfigFileText() const;

private:
    void Store(OptionId id, int32_t position);
    void PassOn(OptionId id);
    void SetLightValues();
    void RandomizeGroup(OptionTab tab);
    void FastDrawing();
    void MaximumBasicValues();
    void ResetTab(OptionTab tab);
    void Done();
    int32_t RandomPosition(OptionId id);
    int32_t Random(int32_t n);

    Studio& m_studio;
    StageFonts m_defaultFonts;
    FontSelection* m_fonts = &m_defaultFonts;
    FigureValues m_figures;
    BackgroundPictures m_background;
    std::function<void()> m_view;
    std::minstd_rand m_random;
    bool m_updating = false;
};

}  // namespace pax
