#pragma once
// AnimForm: the animation values window "Pax3d Animation" without its widgets: the labels
// of its fields and their live values, which the main window's loop asks for after each
// picture while the window is visible.

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "app/animation_report.h"

namespace pax {

class Studio;

struct AnimationField {
    std::string_view Label;
    std::string AnimationReport::*Value;
};

class AnimForm {
public:
    static constexpr const char* Caption = "Pax3d Animation";
    static constexpr int FieldCount = 11;

    explicit AnimForm(Studio& studio) : m_studio(studio) {}

    // The labelled fields in the window's order; the figure's name heads them unlabelled.
    static const std::array<AnimationField, FieldCount>& Fields();

    // The widgets' reader, called after each picture; empty for none (a hidden window).
    void SetView(std::function<void()> update) { m_view = std::move(update); }
    bool HasView() const { return static_cast<bool>(m_view); }
    void Update() const {
        if (m_view) m_view();
    }

    AnimationReport Report() const;

private:
    Studio& m_studio;
    std::function<void()> m_view;
};

}  // namespace pax
