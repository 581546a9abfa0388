#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/SettingBinding.h"
#include "Tavro/Controls/SwitchToggle.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Settings/LinkButton.h"
#include "Tavro/Settings/SettingsView.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <memory>

using namespace tavro;

namespace {

QAccessibleInterface* accessible(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

} // namespace

TEST(PaneBlocksTest, TitlesAreNavyHeadingsInTheirSizes)
{
    std::unique_ptr<BrandLabel> title(SettingsView::sectionTitle(QStringLiteral("Privacy")));
    EXPECT_EQ(title->font(), Drawing::systemFont(17, QFont::Bold));
    std::unique_ptr<BrandLabel> heading(SettingsView::subsectionTitle(QStringLiteral("Bypass")));
    EXPECT_EQ(heading->font(), Drawing::systemFont(14, QFont::DemiBold));
    for (BrandLabel* label : {title.get(), heading.get()}) {
        EXPECT_EQ(label->color().light, Brand::navy.light);
        EXPECT_EQ(label->color().dark, Brand::navy.dark);
        EXPECT_EQ(accessible(label)->role(), QAccessible::Heading);
        EXPECT_EQ(accessible(label)->text(QAccessible::Name), label->text());
    }
}

TEST(PaneBlocksTest, ARowReadsAsItsControlNamedByTheLabelAndControlsLineUp)
{
    QWidget pane;
    auto* column = new QVBoxLayout(&pane);
    auto* shortLabelled = new QPushButton(QStringLiteral("On"));
    auto* toggle = new SwitchToggle;
    column->addWidget(SettingsView::settingRow(QStringLiteral("Menu"), shortLabelled));
    column->addWidget(SettingsView::settingRow(QStringLiteral("A much longer label for this row"), toggle));
    pane.resize(600, 200);
    pane.show();

    for (QWidget* control : {static_cast<QWidget*>(shortLabelled), static_cast<QWidget*>(toggle)}) {
        const QWidget* row = control->parentWidget();
        EXPECT_EQ(control->x(), SettingsView::kRowLabelWidth + SettingsView::kRowSpacing);
        EXPECT_EQ(row->width(), pane.width() - column->contentsMargins().left() - column->contentsMargins().right());
        auto* label = row->findChild<BrandLabel*>();
        ASSERT_TRUE(label);
        EXPECT_EQ(label->width(), 180);
        EXPECT_EQ(label->font(), Drawing::systemFont(13));
        EXPECT_EQ(control->accessibleName(), label->text());
        EXPECT_TRUE(isAccessibilityHidden(label));
        QAccessibleInterface* hidden = accessible(label);
        EXPECT_TRUE(hidden->text(QAccessible::Name).isEmpty());
        EXPECT_TRUE(hidden->state().invisible);
        EXPECT_EQ(hidden->role(), QAccessible::NoRole);
    }
    EXPECT_EQ(accessible(toggle)->text(QAccessible::Name), QStringLiteral("A much longer label for this row"));
}

TEST(PaneBlocksTest, MarksTakeEffectAfterQtHasAlreadyDescribedTheWidget)
{
    QLabel label(QStringLiteral("Card title"));
    EXPECT_EQ(accessible(&label)->role(), QAccessible::StaticText);
    accessibilityHeading(&label);
    EXPECT_EQ(accessible(&label)->role(), QAccessible::Heading);
    EXPECT_EQ(accessible(&label)->text(QAccessible::Name), QStringLiteral("Card title"));

    QWidget card;
    card.setAccessibleName(QStringLiteral("Updates"));
    accessibilityHeading(&card);
    EXPECT_EQ(accessible(&card)->text(QAccessible::Name), QStringLiteral("Updates"));

    QLabel shown(QStringLiteral("Read twice"));
    EXPECT_EQ(accessible(&shown)->text(QAccessible::Name), QStringLiteral("Read twice"));
    accessibilityHidden(&shown);
    EXPECT_TRUE(accessible(&shown)->state().invisible);
    EXPECT_TRUE(accessible(&shown)->text(QAccessible::Name).isEmpty());
    // A widget nobody marked keeps what Qt says of it.
    QLabel plain(QStringLiteral("Plain"));
    EXPECT_EQ(accessible(&plain)->role(), QAccessible::StaticText);
}

TEST(PaneBlocksTest, TheSwitchHasNoTextAndWritesEveryFlipAtOnce)
{
    QList<bool> writes;
    const SettingBinding::Value value{[] { return QVariant(true); },
        [&](const QVariant& on) { writes.append(on.toBool()); }, [](QObject*, std::function<void()>) {}};
    std::unique_ptr<SwitchToggle> toggle(SettingBinding::bind(new SwitchToggle, value));
    EXPECT_TRUE(toggle->text().isEmpty());
    EXPECT_EQ(toggle->size(), QSize(38, 22));
    EXPECT_TRUE(writes.isEmpty());
    EXPECT_EQ(accessible(toggle.get())->role(), QAccessible::CheckBox);
    EXPECT_TRUE(accessible(toggle.get())->state().checked);

    toggle->show();
    QTest::mouseClick(toggle.get(), Qt::LeftButton);
    EXPECT_EQ(writes, QList<bool>{false});
    EXPECT_FALSE(accessible(toggle.get())->state().checked);
    QTest::mouseClick(toggle.get(), Qt::LeftButton);
    EXPECT_EQ(writes, (QList<bool>{false, true}));
}

TEST(PaneBlocksTest, TheSwitchTakesTheOnColourOfItsAppearance)
{
    for (Appearance appearance : {Appearance::light, Appearance::dark}) {
        SwitchToggle toggle;
        toggle.setChecked(true);
        setExplicitAppearance(&toggle, appearance);
        const QImage on = toggle.grab().toImage();
        // The track's left end, clear of the knob on the right.
        EXPECT_EQ(on.pixelColor(8, 11), resolve(Brand::switchOn, appearance));
        toggle.setChecked(false);
        EXPECT_NE(toggle.grab().toImage().pixelColor(8, 11), resolve(Brand::switchOn, appearance));
    }
}

TEST(PaneBlocksTest, APopUpIsNamedByItsRowAndItsShownChoiceIsItsValue)
{
    QWidget pane;
    auto* column = new QVBoxLayout(&pane);
    auto* menu = new QComboBox;
    menu->addItems({QStringLiteral("Center"), QStringLiteral("Beside Icon")});
    column->addWidget(SettingsView::settingRow(QStringLiteral("Image position"), menu));
    pane.show();

    QAccessibleInterface* popUp = accessible(menu);
    EXPECT_EQ(popUp->role(), QAccessible::ComboBox);
    EXPECT_EQ(popUp->text(QAccessible::Name), QStringLiteral("Image position"));
    menu->setCurrentIndex(1);
    EXPECT_EQ(popUp->text(QAccessible::Value), QStringLiteral("Beside Icon"));
    QAccessibleTextInterface* text = popUp->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(0, text->characterCount()), QStringLiteral("Beside Icon"));
    ASSERT_TRUE(popUp->actionInterface());
    EXPECT_TRUE(popUp->actionInterface()->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
}

TEST(PaneBlocksTest, ALinkHasTheLinkRoleAndNoEnglishWordForItAndStillPresses)
{
    LinkButton link(QStringLiteral("Read the full privacy policy"));
    int presses = 0;
    QObject::connect(&link, &QPushButton::clicked, [&] { ++presses; });
    QAccessibleInterface* element = accessible(&link);
    EXPECT_EQ(element->role(), QAccessible::Link);
    EXPECT_EQ(element->text(QAccessible::Name), link.text());
    EXPECT_EQ(element->text(QAccessible::Description), QString());
    element->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(presses, 1);

    // Followed from the keyboard with any of the keys a link takes; a modified Return is no press.
    const struct
    {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int pressed;
    } keys[]{
        {"Space", Qt::Key_Space, Qt::NoModifier, 1},
        {"Return", Qt::Key_Return, Qt::NoModifier, 1},
        {"Enter on the keypad", Qt::Key_Enter, Qt::KeypadModifier, 1},
        {"Control-Return", Qt::Key_Return, Qt::ControlModifier, 0},
    };
    for (const auto& row : keys) {
        SCOPED_TRACE(row.name);
        presses = 0;
        QTest::keyClick(&link, row.key, row.modifiers);
        EXPECT_EQ(presses, row.pressed);
    }
}
