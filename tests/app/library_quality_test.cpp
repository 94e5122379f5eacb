// The built-in library's quality bar: every entry, drawn as the figure it is registered as in a
// 480 x 360 picture with the default settings and eye, must draw without a message, within the
// part limit, with a balanced turtle stack, at a size that is no dot, and without much of it off
// the picture. Then the promised entries: the seeded plant, the deep phyllotaxis, the Koch
// snowflake, and where plane and 3-D systems stand.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/demo_catalogue.h"
#include "app/demo_player.h"
#include "app/main_state.h"
#include "app/picture_loop.h"
#include "app/studio.h"
#include "app_test_support.h"
#include "lsystem/interpreter.h"
#include "render/windows/object_window.h"
#include "render/windows/part_list.h"
#include "render/windows/stage.h"
#include "scene/fake_turtle_window.h"
#include "scene/pax3d.h"
#include "support/scripted_presenter.h"
#include "system/error_reporting.h"
#include "system/settings.h"
#include "system/status_line.h"
#include "system/stop_request.h"

namespace pax {
namespace {

constexpr int PictureWidth = 480, PictureHeight = 360;
// The changed pixels must span at least this share of the picture's width or height; less is a dot.
constexpr double MinExtentShare = 0.15;
// At most this share of the positions the turtle reaches (moves, jumps and polygon corners) may
// project off the picture or behind the eye. Positions, because clipped pixels cannot be counted.
constexpr double MaxOutsideShare = 0.10;
// The one entry whose fixed data outgrows the picture: the stochastic plant's axis gets two or
// three segments per generation but only shrinks by 0.54, so its stem rises far above the picture.
constexpr std::string_view OutgrowsThePicture = "StochasticPlant-28";

const tVector3d GroundPoint{0, 0, -250};

// Passes everything on to the window the turtle drew through and counts the positions that land
// off the picture, just after the window projected them.
class ClipCounter : public TurtleWindow {
public:
    explicit ClipCounter(TurtleWindow& inner) : m_inner(inner) {}

    void DoProjection(ProjData& pen, const tVector3d& point, bool draw) override {
        m_inner.DoProjection(pen, point, draw);
        Count(pen);
    }
    void ProjectPoint(ProjData& pen, const tVector3d& point) override { m_inner.ProjectPoint(pen, point); }
    void DoBeginPolyon(ProjData& pen, bool fill) override { m_inner.DoBeginPolyon(pen, fill); }
    void AddPolyPoint(ProjData& pen) override {
        m_inner.AddPolyPoint(pen);
        Count(pen);
    }
    void DoEndPolygon(ProjData& pen) override { m_inner.DoEndPolygon(pen); }
    tPlaneObj& PlaneObject() override { return m_inner.PlaneObject(); }
    void DrawText(ProjData& pen, std::string_view text) override { m_inner.DrawText(pen, text); }
    void DrawSpriteId(ProjData& pen, uint16_t spriteId) override { m_inner.DrawSpriteId(pen, spriteId); }
    TColor32 WindowColor() const override { return m_inner.WindowColor(); }
    void SetWindowColor(TColor32 color) override { m_inner.SetWindowColor(color); }
    uint8_t LineOpacity() const override { return m_inner.LineOpacity(); }
    uint8_t FillOpacity() const override { return m_inner.FillOpacity(); }

    long positions = 0, outside = 0;

private:
    void Count(const ProjData& pen) {
        ++positions;
        outside += !(pen.Visible && pen.RoundX >= 0 && pen.RoundX < PictureWidth && pen.RoundY >= 0 &&
                     pen.RoundY < PictureHeight);
    }
    TurtleWindow& m_inner;
};

std::vector<TColor32> Pixels(const TBitmap32& picture) {
    const TColor32* bits = picture.Bits();
    return {bits, bits + static_cast<size_t>(picture.Width()) * static_cast<size_t>(picture.Height())};
}

// The process's resident memory in bytes.
long ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long total = 0, resident = 0;
    statm >> total >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// A studio that draws the library's figures headless and collects every message they cause.
class LibraryStudio {
public:
    LibraryStudio() {
        InstallPaxErrorSink([this](std::string_view caption, std::string_view text) {
            m_messages.push_back(std::string(caption) + ": " + std::string(text));
        });
        InstallStatusErrorSink([this](std::string_view text) { m_messages.push_back("error: " + std::string(text)); });
        InstallStatusWarningSink(
            [this](std::string_view text) { m_messages.push_back("warning: " + std::string(text)); });
    }
    ~LibraryStudio() {
        InstallStatusWarningSink({});
        InstallStatusErrorSink({});
        InstallPaxErrorSink({});
        ClearStopRequest();
    }
    LibraryStudio(const LibraryStudio&) = delete;
    LibraryStudio& operator=(const LibraryStudio&) = delete;

    // ShowDemo, then one picture as the loop draws it; with a path, the turtle draws into that
    // instead of the view. Returns what fails the bar, one text per fault; none when it passes.
    std::vector<std::string> Draw(DemoSelection at, testing::FakeTurtleWindow* path = nullptr) {
        ClearStopRequest();
        m_messages.clear();
        boxes.Clear();
        studio.Player().ShowDemo(at.Demo, at.Figure);
        Stage& stage = studio.GetStage();
        const int32_t shows = studio.State().DemoShows, depth = stage.Pax().Depth();
        TurtleWindow* view = stage.Pax().Window();
        ClipCounter counter(*view);
        stage.Pax().SetWindow(path ? static_cast<TurtleWindow*>(path) : &counter);
        stage.Bee().SetWindow(&counter);   // solids and shapes draw with the second turtle
        studio.Pictures().ShowActualPicture();
        stage.Pax().SetWindow(view);
        stage.Bee().SetWindow(view);

        std::vector<std::string> faults;
        for (const std::string& message : m_messages) faults.push_back("message \"" + message + "\"");
        for (const MessageRequest& box : boxes.Shown())
            faults.push_back("box \"" + box.caption + ": " + box.text + "\"");
        if (studio.State().DemoShows != shows) faults.push_back("the picture was abandoned");
        if (StopRequested()) faults.push_back("the drawing was stopped");
        if (const int32_t parts = stage.View().PartCount(); parts >= PartList::MaxParts)
            faults.push_back(std::to_string(parts) + " parts");
        if (stage.Pax().Depth() != depth)
            faults.push_back("turtle depth " + std::to_string(depth) + " before, " +
                             std::to_string(stage.Pax().Depth()) + " after");
        // The box of the pixels other than the background.
        const TBitmap32& picture = studio.Picture();
        const TColor32 background = ConfigValues().BackgroundColor | 0xFF000000u;
        int left = picture.Width(), top = picture.Height(), right = -1, bottom = -1;
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x)
                if (picture.ScanLine(y)[x] != background) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
        const int width = std::max(0, right - left + 1), height = std::max(0, bottom - top + 1);
        if (width < MinExtentShare * PictureWidth && height < MinExtentShare * PictureHeight)
            faults.push_back("a dot of " + std::to_string(width) + " x " + std::to_string(height) + " pixels");
        const bool clipped =
            counter.positions == 0 || counter.outside > MaxOutsideShare * static_cast<double>(counter.positions);
        const std::string offPicture =
            std::to_string(counter.outside) + " of " + std::to_string(counter.positions) + " positions";
        const bool outgrows = studio.Catalogue().Demo(at.Demo).Figures[size_t(at.Figure)].Name == OutgrowsThePicture;
        if (clipped && !outgrows) faults.push_back(offPicture + " off the picture");
        // The exception stays honest.
        if (!clipped && outgrows)
            faults.push_back("listed as outgrowing the picture, but only " + offPicture + " are off it");
        return faults;
    }
    std::vector<std::string> Draw(std::string_view name, testing::FakeTurtleWindow* path = nullptr) {
        const std::optional<DemoSelection> at = studio.Catalogue().FindFigure(name);
        EXPECT_TRUE(at.has_value()) << "no figure " << name;
        return Draw(at.value_or(DemoSelection{}), path);
    }

    tTarnsInterpreter& Interpreter() { return studio.Interpreter(); }
    void Redraw() { studio.Pictures().ShowActualPicture(); }

    testing::ScopedAppSettings settings;
    testing::ScopedPresenter boxes;
    Studio studio{[] {
        // The drawing surface is the picture, as the command line draws it.
        StudioOptions o = testing::Headless();
        o.DefaultSurfaceWidth = PictureWidth;
        o.DefaultSurfaceHeight = PictureHeight;
        return o;
    }()};

private:
    std::vector<std::string> m_messages;
};

TEST(LibraryQuality, EveryFigureDrawsCleanlyAndFillsAFairPartOfThePicture) {
    LibraryStudio library;
    const DemoCatalogue& catalogue = library.studio.Catalogue();
    std::ostringstream failures;
    int figures = 0, failed = 0;
    for (int32_t d = 0; d < catalogue.DemoCount(); ++d)
        for (int32_t f = 0; f < catalogue.FigureCount(d); ++f, ++figures) {
            const std::string& name = catalogue.Demo(d).Figures[static_cast<size_t>(f)].Name;
            const std::vector<std::string> faults = library.Draw(DemoSelection{d, f});
            if (faults.empty()) continue;
            ++failed;
            failures << "\n  " << name << " (demo " << d << ", figure " << f << "):";
            for (const std::string& fault : faults) failures << " " << fault << ";";
        }
    EXPECT_EQ(figures, 131);
    EXPECT_EQ(failed, 0) << "figures below the bar:" << failures.str();
}

TEST(LibraryQuality, StochasticPlant28RedrawsIdenticallyUntilTheSeedChanges) {
    LibraryStudio library;
    ASSERT_EQ(library.Interpreter().Seed(), tTarnsInterpreter::DefaultSeed);
    library.Draw("StochasticPlant-28");
    ASSERT_TRUE(library.Interpreter().Stochastic());
    const std::vector<TColor32> first = Pixels(library.studio.Picture());
    library.Redraw();
    EXPECT_TRUE(Pixels(library.studio.Picture()) == first);

    library.Interpreter().SetSeed(987654321);
    library.Redraw();
    const std::vector<TColor32> second = Pixels(library.studio.Picture());
    EXPECT_FALSE(second == first);
    library.Redraw();
    EXPECT_TRUE(Pixels(library.studio.Picture()) == second);
}

TEST(LibraryQuality, Phyllotaxis100WalksAll444GenerationsWithoutGrowingMemory) {
    LibraryStudio library;
    const tTarnsInterpreter& lsys = library.Interpreter();
    library.Draw("Phyllotaxis-100");
    EXPECT_EQ(library.studio.GetStage().View().PartCount(), 444);   // one floret per generation
    EXPECT_EQ(lsys.System().deep, 444);
    EXPECT_EQ(lsys.Statistics().maxDepth, 444u);
    // The walk keeps its levels for the next drawing: redrawing needs no more memory.
    const long resident = ResidentBytes();
    library.Redraw();
    library.Redraw();
    EXPECT_EQ(lsys.Statistics().maxDepth, 444u);
    EXPECT_LT(ResidentBytes() - resident, 2L << 20);
}

TEST(LibraryQuality, KochSnowflake2IsAnUprightClosedPathOf192EqualSegmentsFromTheGroundPoint) {
    LibraryStudio library;
    testing::FakeTurtleWindow path;
    library.Draw("KochSnowflake-2", &path);
    EXPECT_EQ(library.Interpreter().Statistics().segments, 192u);
    EXPECT_FALSE(library.Interpreter().Statistics().is3d);
    ASSERT_EQ(path.lines.size(), 192u);

    const Extended length = 400 * 0.33333L * 0.33333L * 0.33333L;
    EXPECT_LT(Distance(path.lines.front().from, GroundPoint), 1e-9L);
    EXPECT_LT(Distance(path.lines.front().to, GroundPoint + tVector3d{0, 0, length}), 1e-9L);
    Extended worstLength = 0, worstJoint = 0;
    for (size_t i = 0; i < path.lines.size(); ++i) {
        const testing::FakeTurtleWindow::Line& line = path.lines[i];
        worstLength = std::max(worstLength, std::fabs(Distance(line.from, line.to) - length));
        // Every segment starts where the one before ended, the first where the last ends.
        worstJoint = std::max(worstJoint, Distance(line.from, path.lines[(i + 191) % 192].to));
    }
    EXPECT_LT(worstLength, 1e-9L);
    EXPECT_LT(worstJoint, 1e-9L);
    // Upright: the curve lies in the plane that faces the eye.
    for (const tVector3d& p : path.projected) ASSERT_LT(std::fabs(p.y), 1e-9L);
}

TEST(LibraryQuality, ThreeDSystemsGrowUpFromTheGroundPoint) {
    LibraryStudio library;
    for (const char* name : {"Hilbert3dCurve-20", "Plant-26", "Palm1", "Palm2", "Palm3", "Palm4"}) {
        SCOPED_TRACE(name);
        testing::FakeTurtleWindow path;
        library.Draw(name, &path);
        EXPECT_TRUE(library.Interpreter().Statistics().is3d);
        ASSERT_FALSE(path.projected.empty());
        EXPECT_LT(Distance(path.projected.front(), GroundPoint), 1e-9L);
        // Nothing below the ground but the rim of a leaning trunk's first ring (radius about 10),
        // the top well above it.
        const auto byHeight = [](const tVector3d& a, const tVector3d& b) { return a.z < b.z; };
        const auto [lowest, highest] = std::minmax_element(path.projected.begin(), path.projected.end(), byHeight);
        EXPECT_GT(lowest->z, GroundPoint.z - 10);
        EXPECT_GT(highest->z, GroundPoint.z + 200);
    }
}

}  // namespace
}  // namespace pax
