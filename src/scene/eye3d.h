#pragma once
// Eye3d: the camera. Position is the viewpoint, Heading the line of sight, Up the top and
// Right the right of the picture; the visual angle is the full opening angle across the
// window. The projection window rebuilds its view whenever Changed is set.

#include <memory>
#include <string>
#include <string_view>

#include "scene/cursor3d.h"

namespace pax {

class Eye3d : public TCursor3d {
public:
    static constexpr Extended DefaultVisualAngle = 25;   // degrees
    static constexpr Extended MinVisualAngle = 0.1L;   // long: a double 0.1 lies above it, so both pass
    static constexpr Extended MaxVisualAngle = 160;

    // Create: the cursor, then Reset.
    explicit Eye3d(std::string_view name = "Eye");
    Eye3d(const Eye3d& source) = default;

    // The default view: 1000 units in front of the origin at (0, -1000, 0) looking along +y
    // with +z up, SavedPosition there too, visual angle 25 degrees. Name, Depth, stack kept.
    void Reset() override;

    // Clamped to 0.1 .. 160 degrees with a message in the main window's message line when
    // out of range; sets Changed.
    void SetVisualAngle(Extended degrees);
    Extended GetVisualAngle() const;                 // degrees
    Extended VisualAngleRad() const { return m_visualAngle; }
    void ChangeVisualAngle(Extended delta) { SetVisualAngle(GetVisualAngle() + delta); }

    // Push and pop the whole eye (no depth limit); the pop sets Changed.
    void NewObject() override;
    void OldObject() override;
    // Reports and repairs an unbalanced stack.
    void CheckStack() override;
    void AssignTo(TCursor3d& dest) const override;

    // A standard view (0 front, 1 back, 2..5 the sides, above, below) at the current distance.
    void ResetView(int view);
    // "alpha=%4.0f°  beta=%4.0f°  view=%4.1f°  "; with mode 2 without the view angle.
    std::string StatusText(int mode) const;

protected:
    std::unique_ptr<TCursor3d> CloneObject() const override;

private:
    Extended m_visualAngle = DefaultVisualAngle * DegToRad;   // radians
};

}  // namespace pax
