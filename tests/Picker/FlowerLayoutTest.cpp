#include "Tavro/Picker/FlowerLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>

using namespace tavro;

namespace {

constexpr double pi = std::numbers::pi;
constexpr double deg = pi / 180;
constexpr double big = 5000;

double angleOf(QPointF p, const FlowerLayout& layout)
{
    return std::atan2(p.y() / layout.verticalRadius(), p.x() / layout.radius());
}

double scaleOf(QPointF p, const FlowerLayout& layout)
{
    return std::hypot(p.x() / layout.radius(), p.y() / layout.verticalRadius());
}

} // namespace

struct RadiusCase
{
    int count;
    double radius;
    friend void PrintTo(const RadiusCase& c, std::ostream* out) { *out << c.count << " petals"; }
};

namespace tavro {
void PrintTo(const EdgeRoom& room, std::ostream* out)
{
    *out << "room " << room.left << " " << room.right << " " << room.up << " " << room.down;
}
} // namespace tavro

class FlowerRadius : public testing::TestWithParam<RadiusCase>
{ };

TEST_P(FlowerRadius, RadiusAndCanvasFollowTheCount)
{
    const auto [count, radius] = GetParam();
    const FlowerLayout layout(count);
    EXPECT_NEAR(layout.radius(), radius, 0.005);
    EXPECT_DOUBLE_EQ(layout.verticalRadius(), 0.82 * layout.radius());
    EXPECT_DOUBLE_EQ(layout.canvasWidth(), 2 * (1.7 * layout.radius() + 64));
    EXPECT_DOUBLE_EQ(layout.canvasHeight(), 2 * (1.7 * 0.82 * layout.radius() + 54));
}

INSTANTIATE_TEST_SUITE_P(Counts, FlowerRadius,
    testing::Values(RadiusCase{0, 140}, RadiusCase{1, 140}, RadiusCase{2, 140}, RadiusCase{5, 140}, RadiusCase{6, 140},
        RadiusCase{7, 159.54}, RadiusCase{8, 180.88}, RadiusCase{12, 267.45}));

TEST(FlowerLayoutTest, SmallFlowersShareOneCanvas)
{
    for (int count = 0; count <= 6; ++count) {
        const FlowerLayout layout(count);
        EXPECT_DOUBLE_EQ(layout.radius(), 140);
        EXPECT_NEAR(layout.verticalRadius(), 114.8, 1e-9);
        EXPECT_NEAR(layout.canvasWidth(), 604, 1e-9);
        EXPECT_NEAR(layout.canvasHeight(), 498.32, 1e-9);
    }
}

TEST(FlowerLayoutTest, NoPetalsGiveNoOffsets)
{
    EXPECT_TRUE(FlowerLayout(0).petalOffsets({}).isEmpty());
    EXPECT_TRUE(FlowerLayout(-3).petalOffsets({10, 10, 10, 10}).isEmpty());
}

TEST(FlowerLayoutTest, OnePetalSitsStraightAboveTheHub)
{
    const auto offsets = FlowerLayout(1).petalOffsets({});
    ASSERT_EQ(offsets.size(), 1);
    EXPECT_NEAR(offsets[0].x(), 0, 1e-9);
    EXPECT_NEAR(offsets[0].y(), -114.8, 1e-9);
}

class UniformRing : public testing::TestWithParam<std::tuple<int, EdgeRoom>>
{ };

TEST_P(UniformRing, PetalsGoClockwiseFromTheTop)
{
    const auto [count, room] = GetParam();
    const FlowerLayout layout(count);
    const auto offsets = layout.petalOffsets(room);
    ASSERT_EQ(offsets.size(), count);
    for (int i = 0; i < count; ++i) {
        const double theta = i * 2 * pi / count - pi / 2;
        EXPECT_NEAR(offsets[i].x(), std::cos(theta) * layout.radius(), 1e-9) << i;
        EXPECT_NEAR(offsets[i].y(), std::sin(theta) * layout.verticalRadius(), 1e-9) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(InfiniteRoom, UniformRing,
    testing::Combine(testing::Values(1, 2, 3, 4, 6, 7, 9, 12, 20), testing::Values(EdgeRoom{})));
// 300 points on every side leave every direction usable at scale 1 for up to six petals.
INSTANTIATE_TEST_SUITE_P(AmpleRoom, UniformRing,
    testing::Combine(testing::Values(1, 2, 3, 4, 5, 6), testing::Values(EdgeRoom{300, 300, 300, 300})));
// Nothing fits even at 0.6 on a tiny screen: the plain ring is the last resort.
INSTANTIATE_TEST_SUITE_P(TinyScreen, UniformRing,
    testing::Combine(testing::Values(1, 3, 8), testing::Values(EdgeRoom{30, 30, 30, 30}, EdgeRoom{40, 47, 37, 20})));

TEST(FlowerLayoutTest, NearTheRightEdgePetalsGatherOnTheLeftAtTheSmallestScaleThatFits)
{
    // right = 60 leaves 12 points past a petal's half width: directions with cos θ ≤ 12 / (140 s) stay
    // usable, which at s = 1.00 … 1.04 is the run of samples 86° … 274° (189 samples). Four petals need
    // 4 × 2 asin(106 / (1.82 × 140 s)) radians: 3.431 at 1.00, 3.360 at 1.02, 3.292 at 1.04, so 1.04.
    const FlowerLayout layout(4);
    const auto offsets = layout.petalOffsets({big, 60, big, big});
    ASSERT_EQ(offsets.size(), 4);
    const double start = 86 * deg;
    const double length = 189 * deg;
    const double s = 1.0 + 0.02 + 0.02;
    for (int i = 0; i < 4; ++i) {
        const double theta = start + (i + 0.5) * length / 4;
        EXPECT_NEAR(offsets[i].x(), std::cos(theta) * s * 140, 1e-9) << i;
        EXPECT_NEAR(offsets[i].y(), std::sin(theta) * s * 114.8, 1e-9) << i;
        EXPECT_LE(offsets[i].x() + 48, 60);
    }
}

struct BentCase
{
    const char* name;
    int count;
    EdgeRoom room;
    friend void PrintTo(const BentCase& c, std::ostream* out) { *out << c.name; }
};

class BentRing : public testing::TestWithParam<BentCase>
{ };

TEST_P(BentRing, PetalsStayOnScreenEvenlySpacedAndClockwise)
{
    const auto& c = GetParam();
    const FlowerLayout layout(c.count);
    const auto offsets = layout.petalOffsets(c.room);
    ASSERT_EQ(offsets.size(), c.count);
    const double scale = scaleOf(offsets[0], layout);
    EXPECT_GE(scale, 1.0 - 1e-9);
    EXPECT_LE(scale, 1.7 + 1e-9);
    double previous = 0;
    double step = 0;
    for (int i = 0; i < c.count; ++i) {
        const QPointF p = offsets[i];
        EXPECT_NEAR(scaleOf(p, layout), scale, 1e-9) << "all petals share one ring";
        EXPECT_LE(p.x() + 48, c.room.right + 1e-9);
        EXPECT_LE(-p.x() + 48, c.room.left + 1e-9);
        EXPECT_LE(p.y() + 38, c.room.down + 1e-9);
        EXPECT_LE(-p.y() + 38, c.room.up + 1e-9);
        double theta = angleOf(p, layout);
        if (i > 0) {
            while (theta < previous)
                theta += 2 * pi;
            if (i == 1)
                step = theta - previous;
            else
                EXPECT_NEAR(theta - previous, step, 1e-9);
        }
        previous = theta;
    }
}

INSTANTIATE_TEST_SUITE_P(Edges, BentRing,
    testing::Values(BentCase{"right", 5, {big, 90, big, big}}, BentCase{"left", 5, {90, big, big, big}},
        BentCase{"top", 6, {big, big, 80, big}}, BentCase{"bottom", 6, {big, big, big, 80}},
        BentCase{"topLeft", 3, {70, big, 70, big}}, BentCase{"topRight", 4, {big, 100, 100, big}},
        BentCase{"bottomLeft", 4, {100, big, big, 100}}, BentCase{"bottomRight", 3, {big, 70, big, 70}},
        BentCase{"eightAtRight", 8, {big, 120, big, big}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FlowerLayoutTest, RingBendsAwayFromEachEdge)
{
    const FlowerLayout layout(4);
    for (QPointF p : layout.petalOffsets({big, 60, big, big}))
        EXPECT_LT(p.x(), 13);
    for (QPointF p : layout.petalOffsets({60, big, big, big}))
        EXPECT_GT(p.x(), -13);
    for (QPointF p : layout.petalOffsets({big, big, 50, big}))
        EXPECT_GT(p.y(), -13);
    for (QPointF p : layout.petalOffsets({big, big, big, 50}))
        EXPECT_LT(p.y(), 13);
}

TEST(FlowerLayoutTest, WithNoRingThatFitsPetalsZigZagInsideTheirLimits)
{
    // Twelve petals (R ≈ 267.45) with 250 points on each side: no scale from 1.0 up leaves an arc long
    // enough, but every direction is usable at 0.6, so the arc is the whole circle starting at "right".
    const FlowerLayout layout(12);
    const double r = layout.radius();
    const double rv = layout.verticalRadius();
    const auto offsets = layout.petalOffsets({250, 250, 250, 250});
    ASSERT_EQ(offsets.size(), 12);
    const auto limit = [&](double theta) {
        double m = 1.7;
        const double c = std::cos(theta), s = std::sin(theta);
        if (std::abs(c) > 0.0001)
            m = std::min(m, 202 / (std::abs(c) * r));
        if (std::abs(s) > 0.0001)
            m = std::min(m, 212 / (std::abs(s) * rv));
        return m;
    };
    for (int i = 0; i < 12; ++i) {
        const double theta = (i + 0.5) * 30 * deg;
        const double expected = std::max(0.6, std::min(i % 2 == 0 ? 1.55 : 1.0, limit(theta) - 0.04));
        EXPECT_NEAR(offsets[i].x(), std::cos(theta) * expected * r, 1e-9) << i;
        EXPECT_NEAR(offsets[i].y(), std::sin(theta) * expected * rv, 1e-9) << i;
    }
    // 15°: held in by the right edge; 45°: the odd petal keeps 1.0; 75°: held in by the bottom edge.
    EXPECT_NEAR(scaleOf(offsets[0], layout), 202 / (std::cos(15 * deg) * r) - 0.04, 1e-9);
    EXPECT_NEAR(scaleOf(offsets[1], layout), 1.0, 1e-9);
    EXPECT_NEAR(scaleOf(offsets[2], layout), 212 / (std::sin(75 * deg) * rv) - 0.04, 1e-9);
}

TEST(FlowerLayoutTest, ZigZagNeverComesCloserThanPointSix)
{
    // Nine petals with 100 points left and right: horizontal directions allow only (100 - 48) / R.
    const FlowerLayout layout(9);
    const auto offsets = layout.petalOffsets({100, 100, 400, 400});
    ASSERT_EQ(offsets.size(), 9);
    for (QPointF p : offsets)
        EXPECT_GE(scaleOf(p, layout), 0.6 - 1e-9);
}

struct RunCase
{
    const char* name;
    QList<bool> flags;
    std::optional<FlowerLayout::Run> run;
    friend void PrintTo(const RunCase& c, std::ostream* out) { *out << c.name; }
};

class LongestRun : public testing::TestWithParam<RunCase>
{ };

TEST_P(LongestRun, FindsTheFirstLongestCircularRun)
{
    EXPECT_EQ(FlowerLayout::longestRun(GetParam().flags), GetParam().run);
}

INSTANTIATE_TEST_SUITE_P(Runs, LongestRun,
    testing::Values(RunCase{"empty", {}, std::nullopt}, RunCase{"allTrue", {true, true, true}, std::nullopt},
        RunCase{"allFalse", {false, false}, std::nullopt},
        RunCase{"wrapsPastTheEnd", {true, true, false, true, false, true, true}, FlowerLayout::Run{5, 4}},
        RunCase{"middle", {false, true, true, true, false, true}, FlowerLayout::Run{1, 3}},
        // Walking from the first false flag (index 1) meets the run at 2 before the one at 5.
        RunCase{"tieGoesToTheFirstMet", {true, false, true, true, false, true, false}, FlowerLayout::Run{2, 2}},
        RunCase{"tieAcrossTheWrap", {true, false, false, true, true, false, true}, FlowerLayout::Run{3, 2}}),
    [](const auto& info) { return std::string(info.param.name); });
