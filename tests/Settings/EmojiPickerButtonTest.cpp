#include "Tavro/Settings/EmojiPickerButton.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/FocusRing.h"
#include "Tavro/Controls/TavroButtonStyle.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Settings/EmojiPopover.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tavro;

namespace {

// The part of a popover that it names `name`.
template <typename T> T* part(const QWidget* popover, const char* name)
{
    return popover->findChild<T*>(QString::fromLatin1(name));
}

// The grid's emoji cells, in order.
QList<QAbstractButton*> cells(const QWidget* popover)
{
    return popover->findChildren<QAbstractButton*>(QStringLiteral("cell"));
}

const QString fire = QStringLiteral("🔥");

struct Face
{
    std::optional<QString> emoji;
    std::optional<QString> photoPath;
    bool preferEmoji = false;
};

class EmojiPickerButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QImage photo(64, 64, QImage::Format_ARGB32);
        photo.fill(QColor(0xE0, 0x60, 0x30));
        m_photo = m_dir.filePath("photo.png");
        ASSERT_TRUE(photo.save(m_photo));
    }

    std::unique_ptr<EmojiPickerButton> button(const Face& face)
    {
        auto made = std::make_unique<EmojiPickerButton>(face.emoji, face.photoPath, face.preferEmoji, "Chrome (Work)");
        setExplicitAppearance(made.get(), Appearance::light);
        return made;
    }

    EmojiPopover* open(EmojiPickerButton& button)
    {
        button.show();
        button.click();
        return button.popover();
    }

    static void type(EmojiPopover& popover, const QString& text) { part<QLineEdit>(&popover, "search")->setText(text); }

    static QStringList cellTexts(const EmojiPopover& popover)
    {
        QStringList texts;
        for (const QAbstractButton* cell : cells(&popover))
            texts.append(cell->text());
        return texts;
    }

    static QString accessible(QObject* object, QAccessible::Text text)
    {
        return QAccessible::queryAccessibleInterface(object)->text(text);
    }

    QTemporaryDir m_dir;
    QString m_photo;
};

QColor fillOf(QWidget& widget)
{
    // Inside the border, clear of the centred content.
    return widget.grab().toImage().pixelColor(4, 13);
}

} // namespace

TEST_F(EmojiPickerButtonTest, TheFaceShowsThePhotoTheEmojiOrAnEmptyPlace)
{
    const QRgb frost = Brand::frost.color(false).rgb();
    auto photo = button({fire, m_photo, false});
    EXPECT_TRUE(photo->photoShown());
    const QImage photoFace = photo->grab().toImage();
    EXPECT_EQ(photoFace.pixelColor(15, 13).rgb(), QColor(0xE0, 0x60, 0x30).rgb());
    EXPECT_EQ(photoFace.pixelColor(4, 13).rgb(), frost);

    // The emoji wins when preferred; a path whose picture is missing still counts as a photo.
    auto emoji = button({fire, m_photo, true});
    EXPECT_FALSE(emoji->photoShown());
    EXPECT_NE(emoji->grab().toImage().pixelColor(15, 13).rgb(), QColor(0xE0, 0x60, 0x30).rgb());
    EXPECT_TRUE(button({std::nullopt, m_dir.filePath("gone.png"), false})->hasContent());

    auto empty = button({std::nullopt, m_photo, true});
    EXPECT_FALSE(empty->hasContent());
    EXPECT_NE(fillOf(*empty).rgb(), frost);
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(empty.get(), &enter);
    EXPECT_TRUE(QTest::qWaitFor([&] { return fillOf(*empty).rgb() == Brand::frostDeep.color(false).rgb(); }, 2000));
}

TEST_F(EmojiPickerButtonTest, TooltipNameAndValueSayWhatIsShown)
{
    struct Case
    {
        Face face;
        QString tooltip;
        QString value;
    };
    const QList<Case> cases{
        {{fire, m_photo, false}, "Showing the profile photo. Click to use an emoji instead.", "Profile photo"},
        {{std::nullopt, m_photo, true},
            "Use the profile photo, or set an emoji, to identify this profile in the picker.", "None"},
        {{std::nullopt, std::nullopt, false}, "Set an emoji to identify this profile in the picker.", "None"},
        {{fire, std::nullopt, false}, "Profile emoji. Click to change.", fire},
        {{fire, m_photo, true}, "Profile emoji. Click to change.", fire},
    };
    for (const Case& c : cases) {
        auto made = button(c.face);
        EXPECT_EQ(made->toolTip(), c.tooltip);
        EXPECT_EQ(accessible(made.get(), QAccessible::Value), c.value);
        EXPECT_EQ(accessible(made.get(), QAccessible::Name), "Emoji for Chrome (Work)");
    }
}

TEST_F(EmojiPickerButtonTest, ReportsTheChoiceAndPrefersOnlyAStorableEmoji)
{
    auto made = button({std::nullopt, m_photo, false});
    QSignalSpy selected(made.get(), &EmojiPickerButton::emojiSelected);
    QSignalSpy usePhoto(made.get(), &EmojiPickerButton::usePhotoSelected);

    made->choose(fire);
    made->choose(std::nullopt);
    // Text that is no emoji is stored as none; preferring it would hide the photo behind nothing.
    made->choose(QStringLiteral("abc"));
    made->usePhoto();
    ASSERT_EQ(selected.size(), 3);
    EXPECT_EQ(selected[0][0].value<std::optional<QString>>(), fire);
    EXPECT_TRUE(selected[0][1].toBool());
    EXPECT_EQ(selected[1][0].value<std::optional<QString>>(), std::nullopt);
    EXPECT_FALSE(selected[1][1].toBool());
    EXPECT_FALSE(selected[2][1].toBool());
    EXPECT_EQ(usePhoto.size(), 1);
}

TEST_F(EmojiPickerButtonTest, AClickTogglesThePopoverAndAChoiceClosesIt)
{
    auto made = button({fire, std::nullopt, false});
    QSignalSpy selected(made.get(), &EmojiPickerButton::emojiSelected);
    EmojiPopover* popover = open(*made);
    ASSERT_TRUE(popover);
    EXPECT_TRUE(popover->isVisible());
    // The caret is put in the field once the popover is up.
    EXPECT_TRUE(QTest::qWaitFor([&] { return part<QLineEdit>(popover, "search")->hasFocus(); }, 2000));
    made->click();
    EXPECT_FALSE(made->popover());

    popover = open(*made);
    ASSERT_TRUE(popover);
    EXPECT_TRUE(part<QLineEdit>(popover, "search")->text().isEmpty());
    cells(popover)[3]->click();
    EXPECT_FALSE(made->popover());
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0][0].value<std::optional<QString>>(), EmojiPickerButton::defaultEmoji()[3]);

    QPointer<EmojiPopover> closing = open(*made);
    part<QPushButton>(closing, "noEmoji")->click();
    EXPECT_FALSE(made->popover());
    EXPECT_EQ(selected.last()[0].value<std::optional<QString>>(), std::nullopt);
    // A popover still closing when its button goes, before the event loop turns, goes with it.
    ASSERT_TRUE(closing);
    made.reset();
    EXPECT_FALSE(closing);
}

TEST_F(EmojiPickerButtonTest, TheDefaultGridIsEightColumnsOf32WithTheCurrentEmojiMarked)
{
    const QStringList defaults = EmojiPickerButton::defaultEmoji();
    ASSERT_EQ(defaults.size(), 32);
    EXPECT_EQ(defaults.first(), "💼");
    EXPECT_EQ(defaults[4], QString::fromUcs4(std::array<char32_t, 3>{0x1F9D1, 0x200D, 0x1F4BB}.data(), 3));
    EXPECT_EQ(defaults[17], QString::fromUcs4(std::array<char32_t, 2>{0x2764, 0xFE0F}.data(), 2));
    EXPECT_EQ(defaults.last(), "🌙");

    auto made = button({fire, std::nullopt, false});
    EmojiPopover* popover = open(*made);
    ASSERT_EQ(cellTexts(*popover), defaults);
    const auto grid = cells(popover);
    EXPECT_EQ(grid[8]->x(), grid[0]->x());
    EXPECT_GT(grid[8]->y(), grid[0]->y());
    EXPECT_EQ(grid[7]->y(), grid[0]->y());
    EXPECT_FALSE(part<QPushButton>(popover, "usePhoto"));
    EXPECT_TRUE(part<QPushButton>(popover, "noEmoji")->isEnabled());
    const int current = int(defaults.indexOf(fire));
    EXPECT_TRUE(popover->highlight(fire, false));
    EXPECT_FALSE(popover->highlight(defaults[0], true));
    auto* selected = QAccessible::queryAccessibleInterface(grid[current]);
    EXPECT_TRUE(selected->state().selected);
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(grid[0])->state().selected);

    // Return takes the first cell, not the highlighted one.
    QSignalSpy chosen(made.get(), &EmojiPickerButton::emojiSelected);
    QTest::keyClick(part<QLineEdit>(popover, "search"), Qt::Key_Return);
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen[0][0].value<std::optional<QString>>(), "💼");
}

TEST_F(EmojiPickerButtonTest, WithThePhotoShownNothingIsMarkedAndThePhotoButtonIsTheCurrentChoice)
{
    auto shown = button({fire, m_photo, false});
    EmojiPopover* popover = open(*shown);
    ASSERT_TRUE(part<QPushButton>(popover, "usePhoto"));
    EXPECT_FALSE(part<QPushButton>(popover, "usePhoto")->isEnabled());
    EXPECT_EQ(part<QPushButton>(popover, "usePhoto")->style(), TavroButtonStyle::shared(true));
    EXPECT_FALSE(popover->highlight(fire, false));
    EXPECT_TRUE(part<QPushButton>(popover, "noEmoji")->isEnabled());
    for (QAbstractButton* cell : cells(popover))
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(cell)->state().selected);

    auto empty = button({std::nullopt, m_photo, true});
    QSignalSpy usePhoto(empty.get(), &EmojiPickerButton::usePhotoSelected);
    popover = open(*empty);
    EXPECT_FALSE(part<QPushButton>(popover, "noEmoji")->isEnabled());
    ASSERT_TRUE(part<QPushButton>(popover, "usePhoto")->isEnabled());
    EXPECT_EQ(part<QPushButton>(popover, "usePhoto")->style(), TavroButtonStyle::shared(false));
    part<QPushButton>(popover, "usePhoto")->click();
    EXPECT_EQ(usePhoto.size(), 1);
    EXPECT_FALSE(empty->popover());
}

TEST_F(EmojiPickerButtonTest, APastedEmojiOrASearchFillsTheGridAndReturnTakesTheFirst)
{
    auto made = button({std::nullopt, std::nullopt, false});
    QSignalSpy chosen(made.get(), &EmojiPickerButton::emojiSelected);
    EmojiPopover* popover = open(*made);

    type(*popover, " 🔥 and more");
    EXPECT_EQ(cellTexts(*popover), QStringList{fire});
    EXPECT_TRUE(popover->highlight(fire, true));

    type(*popover, "a");
    EXPECT_EQ(cells(popover).size(), 24);
    EXPECT_EQ(cells(popover)[16]->x(), cells(popover)[0]->x());
    EXPECT_GT(cells(popover)[16]->y(), cells(popover)[8]->y());

    type(*popover, ":smile:");
    QTest::keyClick(part<QLineEdit>(popover, "search"), Qt::Key_Return);
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen[0][0].value<std::optional<QString>>(), "😄");
    EXPECT_TRUE(chosen[0][1].toBool());
}

TEST_F(EmojiPickerButtonTest, NothingFoundQuotesTheTrimmedQueryAndReturnDoesNothing)
{
    auto made = button({std::nullopt, std::nullopt, false});
    QSignalSpy chosen(made.get(), &EmojiPickerButton::emojiSelected);
    EmojiPopover* popover = open(*made);

    type(*popover, ":::");
    EXPECT_TRUE(cells(popover).isEmpty());
    EXPECT_TRUE(part<QLabel>(popover, "noResults")->isVisible());
    EXPECT_EQ(part<QLabel>(popover, "noResults")->text(), "No emoji found for “:::”");
    type(*popover, "  zzqqxxj  ");
    EXPECT_EQ(part<QLabel>(popover, "noResults")->text(), "No emoji found for “zzqqxxj”");
    // What was typed shows as typed, never as markup (nor an image it names).
    type(*popover, R"(<b></b>zz<img src="/tmp/x.png">)");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(part<QLabel>(popover, "noResults"))->text(QAccessible::Name),
        R"(No emoji found for “<b></b>zz<img src="/tmp/x.png">”)");
    QTest::keyClick(part<QLineEdit>(popover, "search"), Qt::Key_Return);
    EXPECT_EQ(chosen.size(), 0);
    EXPECT_TRUE(made->popover());

    // Spaces alone show the defaults, and the clear button, since the field is not empty.
    type(*popover, "   ");
    EXPECT_EQ(cells(popover).size(), 32);
    EXPECT_FALSE(part<QLabel>(popover, "noResults")->isVisible());
    EXPECT_TRUE(part<QAbstractButton>(popover, "clearSearch")->isVisible());
    part<QAbstractButton>(popover, "clearSearch")->click();
    EXPECT_TRUE(part<QLineEdit>(popover, "search")->text().isEmpty());
    EXPECT_FALSE(part<QAbstractButton>(popover, "clearSearch")->isVisible());
    EXPECT_TRUE(part<QLineEdit>(popover, "search")->hasFocus());
}

TEST_F(EmojiPickerButtonTest, SavesThePopoverInBothAppearances)
{
    for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
        QWidget row;
        setExplicitAppearance(&row, appearance);
        auto* face = new EmojiPickerButton(fire, m_photo, true, "Chrome (Work)", &row);
        auto* photo = new EmojiPickerButton(std::nullopt, m_photo, false, "Chrome (Work)", &row);
        auto* empty = new EmojiPickerButton(std::nullopt, std::nullopt, false, "Chrome (Work)", &row);
        row.resize(140, 40);
        face->move(15, 7);
        photo->move(55, 7);
        empty->move(95, 7);
        row.show();
        const QString faces = appearance == Appearance::dark ? "emoji-buttons-dark.png" : "emoji-buttons-light.png";
        QDir().mkpath(TAVRO_ARTIFACTS_DIR);
        EXPECT_TRUE(row.grab().scaled(560, 160).save(QDir(TAVRO_ARTIFACTS_DIR).filePath(faces)));
        face->click();
        EmojiPopover* popover = face->popover();
        ASSERT_TRUE(popover);
        const QImage image = popover->grab().toImage();
        EXPECT_EQ(image.pixelColor(3, 3).rgb(), Brand::frost.color(appearance == Appearance::dark).rgb());
        const QString name = appearance == Appearance::dark ? "emoji-popover-dark.png" : "emoji-popover-light.png";
        EXPECT_TRUE(image.save(QDir(TAVRO_ARTIFACTS_DIR).filePath(name)));
        face->setPopoverShown(false);
    }
}

TEST_F(EmojiPickerButtonTest, EscapeClosesThePopoverAndTheKeyboardIsBackOnTheButton)
{
    QWidget window;
    auto* made = button({QStringLiteral("🏠"), std::nullopt, false}).release();
    made->setParent(&window);
    // Focus elsewhere when the pointer opens the popover, as a click leaves it.
    auto* elsewhere = new QLineEdit(&window);
    elsewhere->move(0, 40);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    elsewhere->setFocus();
    EmojiPopover* popover = open(*made);
    ASSERT_TRUE(popover);
    EXPECT_TRUE(QTest::qWaitFor([&] { return part<QLineEdit>(popover, "search")->hasFocus(); }, 2000));
    QTest::keyClick(part<QLineEdit>(popover, "search"), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !made->popover() && made->hasFocus(); }, 2000));
}

// From the field, whose box shows the ring while it has the keyboard, Tab reaches the grid on the
// current emoji, and the next Tab goes on to "No emoji": the grid is one Tab stop. The arrow keys
// walk its cells, stopping at its edges, with the ring on the cell that has the keyboard, and Space
// or Return takes that cell.
TEST_F(EmojiPickerButtonTest, TheKeyboardReachesTheGridWalksItAndTakesACell)
{
    const QStringList defaults = EmojiPickerButton::defaultEmoji();
    const qsizetype current = defaults.indexOf(fire);
    ASSERT_EQ(current, 30) << "the walk below starts on the last row";
    for (const auto& [appearance, take] :
        {std::pair{Appearance::light, Qt::Key_Space}, std::pair{Appearance::dark, Qt::Key_Return}}) {
        SCOPED_TRACE(appearance == Appearance::dark ? "dark, Return" : "light, Space");
        QWidget window;
        auto* made = button({fire, m_photo, true}).release();
        made->setParent(&window);
        setExplicitAppearance(made, appearance);
        QSignalSpy chosen(made, &EmojiPickerButton::emojiSelected);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        EmojiPopover* popover = open(*made);
        ASSERT_TRUE(popover);
        ASSERT_TRUE(QTest::qWaitFor([&] { return part<QLineEdit>(popover, "search")->hasFocus(); }, 2000));
        const QList<QAbstractButton*> grid = cells(popover);
        const auto focused = [&] { return grid.indexOf(QApplication::focusWidget()); };
        // The field the popover opens on shows its ring round the whole search box, and only then.
        QWidget* searchBox = part<QLineEdit>(popover, "search")->parentWidget();
        const auto searchEdge
            = [&] { return searchBox->grab().toImage().pixelColor(1, searchBox->height() / 2).rgb(); };
        EXPECT_EQ(searchEdge(), resolve(FocusRing::kColour, appearance).rgb());
        EXPECT_EQ(part<QLineEdit>(popover, "search")->geometry(), searchBox->rect()) << "outlined as the box";

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(focused(), current) << QApplication::focusWidget();
        EXPECT_NE(searchEdge(), resolve(FocusRing::kColour, appearance).rgb());
        QAbstractButton* cell = grid[current];
        EXPECT_TRUE(FocusRing::isShown(cell));
        EXPECT_EQ(cell->grab().toImage().pixelColor(1, cell->height() / 2).rgb(),
            resolve(FocusRing::kColour, appearance).rgb());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), part<QPushButton>(popover, "noEmoji"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        EXPECT_EQ(focused(), current);

        const std::pair<Qt::Key, qsizetype> walk[]{{Qt::Key_Down, 30}, {Qt::Key_Right, 31}, {Qt::Key_Right, 31},
            {Qt::Key_Up, 23}, {Qt::Key_Left, 22}, {Qt::Key_Up, 14}, {Qt::Key_Up, 6}, {Qt::Key_Up, 6}};
        for (const auto& [key, expected] : walk) {
            QTest::keyClick(QApplication::focusWidget(), key);
            ASSERT_EQ(focused(), expected) << "after key " << std::hex << key;
        }
        EXPECT_TRUE(FocusRing::isShown(grid[6]));
        // Leaving the grid and coming back finds the cell the arrows left it on.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        EXPECT_EQ(QApplication::focusWidget(), part<QLineEdit>(popover, "search"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(focused(), 6);

        QTest::keyClick(QApplication::focusWidget(), take);
        ASSERT_EQ(chosen.size(), 1);
        EXPECT_EQ(chosen[0][0].value<std::optional<QString>>(), defaults[6]);
        EXPECT_FALSE(made->popover());
    }
}
