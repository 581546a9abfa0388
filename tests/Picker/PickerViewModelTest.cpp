#include "Tavro/Picker/PickerViewModel.h"
#include "Tavro/Simulation/SystemSoundHost.h"
#include "tests/Picker/PickerFixtures.h"

#include <gtest/gtest.h>

using namespace tavro;
using Direction = PickerViewModel::MoveDirection;

class PickerViewModelTest : public testing::Test
{
protected:
    void SetUp() override
    {
        model.url = QUrl(QStringLiteral("https://example.com/page"));
        QObject::connect(&model, &PickerViewModel::chosen, [this](const BrowserDestination& d, bool privately) {
            chosen.append({d.profileDisplayName, privately});
        });
    }

    void show(QList<BrowserDestination> list) { model.destinations = std::move(list); }

    PickerViewModel model;
    QList<std::pair<QString, bool>> chosen;
};

TEST_F(PickerViewModelTest, SequenceKeysFollowExplicitOnes)
{
    show({test::destination("Work", "com.google.Chrome", "w"), test::destination("Home"), test::destination("School")});
    EXPECT_TRUE(model.chooseByKey("w"));
    EXPECT_TRUE(model.chooseByKey("2"));
    EXPECT_FALSE(model.chooseByKey("3"));
    EXPECT_EQ(chosen, (QList<std::pair<QString, bool>>{{"Work", false}, {"School", false}}));
    EXPECT_EQ(model.selectedIndex(), 2);
}

TEST_F(PickerViewModelTest, UpperCaseAndLongTextUseTheFirstCharacterLowered)
{
    show({test::destination("Work", "com.google.Chrome", "a"), test::destination("Home")});
    EXPECT_TRUE(model.chooseByKey("A"));
    EXPECT_TRUE(model.chooseByKey("1xyz"));
    EXPECT_FALSE(model.chooseByKey(""));
    EXPECT_FALSE(model.chooseByKey("!"));
    EXPECT_EQ(chosen, (QList<std::pair<QString, bool>>{{"Work", false}, {"Home", false}}));
}

TEST_F(PickerViewModelTest, ZeroChoosesTheLastUsedDestinationWhenItIsShown)
{
    const auto list = test::destinations(3);
    show(list);
    EXPECT_FALSE(model.chooseByKey("0")) << "no last used destination";

    model.lastUsedID = QUuid::createUuid(); // hidden or gone: not among the petals
    EXPECT_FALSE(model.chooseByKey("0"));
    EXPECT_TRUE(chosen.isEmpty());

    model.lastUsedID = list[2].id;
    EXPECT_EQ(model.lastUsedIndex(), 2);
    EXPECT_TRUE(model.chooseByKey("0"));
    EXPECT_EQ(chosen, (QList<std::pair<QString, bool>>{{"Profile 3", false}}));
}

TEST_F(PickerViewModelTest, ReturnChoosesTheSelectionWithoutMovingIt)
{
    show(test::destinations(3));
    model.setSelectedIndex(1);
    model.chooseSelected();
    EXPECT_EQ(model.selectedIndex(), 1);
    model.setSelectedIndex(7);
    model.chooseSelected();
    EXPECT_EQ(chosen, (QList<std::pair<QString, bool>>{{"Profile 2", false}}));
}

TEST_F(PickerViewModelTest, ClicksOutsideTheListDoNothing)
{
    show(test::destinations(2));
    model.choose(-1);
    model.choose(2);
    EXPECT_TRUE(chosen.isEmpty());
    model.choose(1);
    EXPECT_EQ(chosen.size(), 1);
}

TEST_F(PickerViewModelTest, PrivateModeRefusesBrowsersWithoutPrivateWindowsWithABeep)
{
    show({test::destination("Work"), test::destination("Atlas", "com.openai.atlas"),
        test::destination("Unknown", "org.example.unknown")});
    EXPECT_TRUE(model.isChoosable(model.destinations[1]));
    model.setPrivate(true);
    EXPECT_TRUE(model.isChoosable(model.destinations[0]));
    EXPECT_FALSE(model.isChoosable(model.destinations[1]));
    EXPECT_FALSE(model.isChoosable(model.destinations[2]));

    model.choose(1);
    EXPECT_EQ(model.selectedIndex(), 1) << "the highlight moves to the refused petal";
    EXPECT_TRUE(model.chooseByKey("3")) << "the key matched, even though it was refused";
    EXPECT_EQ(model.selectedIndex(), 2);
    model.chooseSelected();
    EXPECT_TRUE(chosen.isEmpty());
    EXPECT_EQ(SystemSoundHost::beepCount(), 3);

    model.chooseByKey("1");
    EXPECT_EQ(chosen, (QList<std::pair<QString, bool>>{{"Work", true}}));
    EXPECT_EQ(SystemSoundHost::beepCount(), 3);
}

TEST_F(PickerViewModelTest, StepsWrapAroundTheRing)
{
    show(test::destinations(4));
    model.moveSelection(-1);
    EXPECT_EQ(model.selectedIndex(), 3);
    model.moveSelection(2);
    EXPECT_EQ(model.selectedIndex(), 1);
    model.moveSelection(-9);
    EXPECT_EQ(model.selectedIndex(), 0);
    show({});
    model.moveSelection(1);
    EXPECT_EQ(model.selectedIndex(), 0);
}

struct ArrowCase
{
    const char* name;
    int count;
    int from;
    Direction direction;
    int to;
    friend void PrintTo(const ArrowCase& c, std::ostream* out) { *out << c.name; }
};

class PickerArrows : public testing::TestWithParam<ArrowCase>
{ };

TEST_P(PickerArrows, ArrowsMoveToARingNeighbour)
{
    const auto& c = GetParam();
    PickerViewModel model;
    model.destinations = test::destinations(c.count);
    model.setSelectedIndex(c.from);
    model.moveSelection(c.direction);
    EXPECT_EQ(model.selectedIndex(), c.to);
}

// Four petals sit top (0), right (1), bottom (2), left (3).
INSTANTIATE_TEST_SUITE_P(Rings, PickerArrows,
    testing::Values(ArrowCase{"oneDoesNotMove", 1, 0, Direction::right, 0},
        ArrowCase{"twoRight", 2, 0, Direction::right, 1}, ArrowCase{"twoLeft", 2, 0, Direction::left, 1},
        ArrowCase{"twoUpFromBottom", 2, 1, Direction::up, 0}, ArrowCase{"twoDownFromBottom", 2, 1, Direction::down, 0},
        ArrowCase{"fourRightFromTop", 4, 0, Direction::right, 1},
        ArrowCase{"fourLeftFromTop", 4, 0, Direction::left, 3},
        // Both neighbours of the top petal lie equally far down: down steps on, up steps back.
        ArrowCase{"fourDownFromTopTies", 4, 0, Direction::down, 1},
        ArrowCase{"fourUpFromTopTies", 4, 0, Direction::up, 3},
        ArrowCase{"fourDownFromRight", 4, 1, Direction::down, 2}, ArrowCase{"fourUpFromRight", 4, 1, Direction::up, 0},
        ArrowCase{"fourLeftFromBottom", 4, 2, Direction::left, 3},
        ArrowCase{"fourRightFromBottom", 4, 2, Direction::right, 1},
        // Both neighbours of the right and of the left petal lie equally far across: right steps
        // on, left steps back.
        ArrowCase{"fourRightFromRightTies", 4, 1, Direction::right, 2},
        ArrowCase{"fourLeftFromLeftTies", 4, 3, Direction::left, 2},
        ArrowCase{"sixDownFromTopTies", 6, 0, Direction::down, 1},
        ArrowCase{"outsideListDoesNothing", 3, 5, Direction::down, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PickerArrowsTest, ArrowsFollowTheBentRingOnScreen)
{
    // Near the right edge the four petals sit on the left half: 0 lower left (110°), 1 left (157°),
    // 2 left (204°), 3 upper left (251°). The ring's ends are still neighbours.
    PickerViewModel model;
    model.destinations = test::destinations(4);
    model.screenRoom = {5000, 60, 5000, 5000};
    model.setSelectedIndex(1);
    model.moveSelection(Direction::up);
    EXPECT_EQ(model.selectedIndex(), 2);
    model.moveSelection(Direction::down);
    EXPECT_EQ(model.selectedIndex(), 1);
    model.setSelectedIndex(0);
    model.moveSelection(Direction::up);
    EXPECT_EQ(model.selectedIndex(), 3);
}

TEST_F(PickerViewModelTest, AccessibilityTitleNamesTheHost)
{
    EXPECT_EQ(model.accessibilityTitle(), "Choose where to open example.com");
    model.url = QUrl(QStringLiteral("https://bücher.example/"));
    EXPECT_EQ(model.accessibilityTitle(), "Choose where to open xn--bcher-kva.example");
    model.url = QUrl(QStringLiteral("file:///tmp/page.html"));
    EXPECT_EQ(model.accessibilityTitle(), "Choose where to open this link");
}

TEST_F(PickerViewModelTest, PublishedFieldsAnnounceOnlyChanges)
{
    int selections = 0, privates = 0;
    QObject::connect(&model, &PickerViewModel::selectedIndexChanged, [&] { ++selections; });
    QObject::connect(&model, &PickerViewModel::isPrivateChanged, [&] { ++privates; });
    model.setSelectedIndex(0);
    model.setSelectedIndex(2);
    model.setPrivate(false);
    model.setPrivate(true);
    EXPECT_EQ(selections, 1);
    EXPECT_EQ(privates, 1);
}
