#pragma once
// LibraryShell: what the L-system interpreter asks of the shell. Each library category becomes
// a demo started by the interpreter's category start, each definition a figure drawn by the
// interpreter, and the animation values a selected system wants go to the basic animations.

#include <string>

#include "lsystem/interpreter.h"

namespace pax {

class DemoCatalogue;
class MainState;
class BasicAnimations;
class Stage;

class LibraryShell : public tLSShell {
public:
    // The category whose figures also get the default data procedure (the eye motion for the
    // pending key).
    static constexpr const char* EyeMotionCategory = "TABOP Book part 1";

    LibraryShell(DemoCatalogue& catalogue, MainState& state, BasicAnimations& animations, Stage& stage);

    // The interpreter the registered procedures call; set once it is constructed (it
    // registers from its constructor, the procedures run only later). Until then the
    // animation values are not passed on: the start definition the constructor selects must
    // not overwrite the stored settings.
    void SetInterpreter(tTarnsInterpreter* interpreter) { m_interpreter = interpreter; }

    // RegisterAnimation (category, the category start procedure).
    void RegisterAnimation(const std::string& category) override;
    // RegisterFigure (name, the figure drawing procedure).
    void RegisterFigure(const std::string& name) override;
    // SetRotateAnimation.
    void SetRotationVector(const tVector3d& rotation) override;
    // SetWobbleAnimation.
    void SetSecondValues(Extended a, Extended b, Extended c) override;

private:
    void StartCategory();
    void DrawFigure();
    void EyeMotionForPendingKey();

    DemoCatalogue& m_catalogue;
    MainState& m_state;
    BasicAnimations& m_animations;
    Stage& m_stage;
    tTarnsInterpreter* m_interpreter = nullptr;
};

}  // namespace pax
