#pragma once
// A scene for the L-system tests: a small stage, the interpreter on it, and (by default) a
// recording window that the "Pax" and "Bee" turtles draw into instead of the stage's view,
// so that lines, polygons and their corners can be checked exactly. Errors of the message
// line are collected; the settings and the stop request are put back afterwards. Also a
// directory of a test's own for the files it writes.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "lsystem/interpreter.h"
#include "lsystem/parser.h"
#include "render/windows/object_window.h"
#include "render/windows/stage.h"
#include "render/window_test_support.h"
#include "scene/cursor3d.h"
#include "scene/fake_turtle_window.h"
#include "scene/pax3d.h"
#include "system/error_reporting.h"
#include "system/stop_request.h"

namespace pax::testing {

// A new directory, removed afterwards, that also receives "ParseErrors.tmp".
class ScopedTestDirectory {
public:
    ScopedTestDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "pax3d_lsystem_XXXXXX").string();
        if (mkdtemp(pattern.data())) m_dir = pattern;
        EXPECT_FALSE(m_dir.empty());
        SetParseErrorDirectory(m_dir);
    }
    ~ScopedTestDirectory() {
        SetParseErrorDirectory({});
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    const std::string& Dir() const { return m_dir; }
    std::string Path(std::string_view name) const { return std::string(m_dir).append("/").append(name); }

private:
    std::string m_dir;
};

inline std::string ReadAll(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

// Every ShowPaxError of its lifetime as "caption|text".
class ScopedPaxErrors {
public:
    ScopedPaxErrors() {
        InstallPaxErrorSink([this](std::string_view caption, std::string_view text) {
            m_errors.push_back(std::string(caption) + "|" + std::string(text));
        });
    }
    ~ScopedPaxErrors() { InstallPaxErrorSink({}); }
    const std::vector<std::string>& Errors() const { return m_errors; }
    void Clear() { m_errors.clear(); }

private:
    std::vector<std::string> m_errors;
};

enum class DrawInto { Recorder, View };

struct LSScene {
    explicit LSScene(DrawInto into = DrawInto::Recorder) {
        ClearStopRequest();
        if (into == DrawInto::Recorder) {
            stage.Pax().SetWindow(&window);
            stage.Bee().SetWindow(&window);
        }
        stage.Pax().Restart();
    }
    ~LSScene() {
        ClearStopRequest();
        stage.Pax().SetWindow(static_cast<TurtleWindow*>(&stage.View()));
        stage.Bee().SetWindow(static_cast<TurtleWindow*>(&stage.View()));
    }

    // Selects a system of the given rules; angle in degrees, step unscaled.
    bool Select(const std::string& axiom, std::vector<std::string> rules, int deep, Extended angle = 90,
                Extended step = 10, Extended factor = 1, Extended thickness = 1) {
        return lsys.SetLSDef({"test", "", "", angle, step, factor, thickness, deep, axiom, std::move(rules)});
    }
    // Selects and draws once with the stored seed.
    void Draw(const std::string& axiom, std::vector<std::string> rules = {}, int deep = 0, Extended angle = 90,
              Extended step = 10, Extended factor = 1, Extended thickness = 1) {
        ASSERT_TRUE(Select(axiom, std::move(rules), deep, angle, step, factor, thickness));
        lsys.DrawFigure();
    }

    std::vector<Extended> SegmentLengths() const {
        std::vector<Extended> lengths;
        for (const auto& line : window.lines) lengths.push_back(Distance(line.from, line.to));
        return lengths;
    }

    ScopedSettings settings;
    ScopedPaxErrors errors;
    Stage stage{StageOptions{480, 360, 64, 64}};
    FakeTurtleWindow window;
    TCursor3d cursor{"Ghost"};
    tTarnsInterpreter lsys{stage, cursor};
};

inline std::string LSError(std::string_view text) { return "PaxTarn: LSInterpreter|" + std::string(text); }

}  // namespace pax::testing
