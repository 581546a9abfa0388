#include "ControlsFixtures.h"

#include "Tavro/Model/Brand.h"
#include "Tavro/Settings/HotkeyCaptureButton.h"
#include "Tavro/Simulation/AnnouncementsHost.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace tavro;
using namespace tavro::testing;

namespace {

using Report = std::optional<QString>;

class HotkeyCaptureButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AnnouncementsHost::setVoiceOverRunning(true);
        setExplicitAppearance(&window, Appearance::light);
        auto* row = new QHBoxLayout(&window);
        row->addWidget(first);
        row->addWidget(second);
        row->addWidget(field);
        row->addWidget(other);
        window.show();
        field->setFocus();
    }

    // Presses a key on whatever has the keyboard focus, as the window would deliver it.
    static void press(QWidget* target, int key, const QString& text, Qt::KeyboardModifiers modifiers = {})
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(target, &event);
    }

    static QList<Report> reports(const QSignalSpy& spy)
    {
        QList<Report> result;
        for (const QList<QVariant>& call : spy)
            result.append(call.at(0).value<Report>());
        return result;
    }

    QWidget window;
    HotkeyCaptureButton* first
        = new HotkeyCaptureButton(std::nullopt, QStringLiteral("2"), QStringLiteral("Chrome: Work"));
    HotkeyCaptureButton* second
        = new HotkeyCaptureButton(QStringLiteral("k"), QStringLiteral("k"), QStringLiteral("Firefox"));
    QLineEdit* field = new QLineEdit;
    QPushButton* other = new QPushButton(QStringLiteral("Other"));
    QSignalSpy firstReports{first, &HotkeyCaptureButton::assigned};
};

} // namespace

TEST_F(HotkeyCaptureButtonTest, TheCapShowsAutomaticChosenAndMissingKeys)
{
    HotkeyCaptureButton none(std::nullopt, std::nullopt, QStringLiteral("Safari"));
    setExplicitAppearance(&none, Appearance::light);
    QImage image = paintedOver(none);
    const QColor divider = Brand::divider.color(false);
    const int dashes = topEdgeMatches(image, divider);
    EXPECT_GT(dashes, 2);
    EXPECT_LT(dashes, 12); // drawn 3 of every 5 points
    EXPECT_EQ(image.pixelColor(4, 13), QColor(Qt::magenta)) << "no fill without a chosen key";
    EXPECT_EQ(none.accessibilityValue(), QString());
    EXPECT_EQ(none.accessibleName(), QStringLiteral("Hotkey for Safari"));
    EXPECT_EQ(none.toolTip(), QStringLiteral("Default hotkey. Click to set your own."));

    EXPECT_EQ(first->accessibilityValue(), QStringLiteral("2"));

    image = paintedOver(*second);
    EXPECT_EQ(topEdgeMatches(image, Brand::chainDark.color(false)), 12);
    EXPECT_EQ(image.pixelColor(4, 13), Brand::frost.color(false));
    EXPECT_EQ(second->accessibilityValue(), QStringLiteral("K"));
    EXPECT_EQ(second->toolTip(), QStringLiteral("Custom hotkey. Click to change."));

    setExplicitAppearance(&window, Appearance::dark);
    EXPECT_EQ(paintedOver(*second).pixelColor(4, 13), Brand::frost.color(true));
}

TEST_F(HotkeyCaptureButtonTest, HoveringDeepensTheCapButNotWhileRecording)
{
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(first, &enter);
    ASSERT_TRUE(first->isHovering());
    QImage image = paintedOver(*first);
    EXPECT_EQ(image.pixelColor(4, 13), Brand::frostDeep.color(false));
    EXPECT_GT(topEdgeMatches(image, Brand::chainDark.color(false)), 2);

    first->click();
    image = paintedOver(*first);
    EXPECT_EQ(image.pixelColor(4, 13), Brand::accent.color(false));
    EXPECT_EQ(topEdgeMatches(image, Brand::accent.color(false)), 12) << "a solid border while recording";

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(first, &leave);
    EXPECT_FALSE(first->isHovering());
}

TEST_F(HotkeyCaptureButtonTest, AClickStartsRecordingAndAnnouncesThePrompt)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const QString key = QStringLiteral("2");
    QTest::mouseClick(first, Qt::LeftButton);
    ASSERT_TRUE(recording(first));
    // The keyboard, and the screen reader with it, is where the next key is meant to go.
    EXPECT_EQ(QApplication::focusWidget(), first);
    const QString prompt = QStringLiteral("Press a key… (Esc cancels, Delete resets to default)");
    // The prompt is told, not made the cap's value.
    EXPECT_EQ(first->accessibilityValue(), key);
    EXPECT_EQ(first->toolTip(), prompt);
    const QList<AnnouncementsHost::Posted> expected{{prompt, Announcements::Priority::high}};
    EXPECT_EQ(AnnouncementsHost::posted(), expected);

    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(first);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Value), key);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Hotkey for Chrome: Work"));
}

TEST_F(HotkeyCaptureButtonTest, TheKeyIsTheCapsTextForAtSpi)
{
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(first)->textInterface();
    ASSERT_NE(text, nullptr) << "AT-SPI reads a value that is not a number only as the element's text";
    EXPECT_EQ(text->text(0, text->characterCount()), QStringLiteral("2"));
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_EQ(text->text(0, text->characterCount()), first->accessibilityValue());
}

TEST_F(HotkeyCaptureButtonTest, EscapeCancelsAndDeleteReturnsToTheAutomaticKey)
{
    first->click();
    press(field, Qt::Key_Escape, QStringLiteral("\x1b"));
    EXPECT_FALSE(recording(first));
    EXPECT_TRUE(reports(firstReports).isEmpty());

    for (const int key : {Qt::Key_Backspace, Qt::Key_Delete}) {
        first->click();
        press(field, key, QStringLiteral("\x7f"));
        EXPECT_FALSE(recording(first));
    }
    EXPECT_EQ(reports(firstReports), (QList<Report>{std::nullopt, std::nullopt}));
}

TEST_F(HotkeyCaptureButtonTest, AKeyIsReportedAsTypedIgnoringModifiersButShift)
{
    struct Case
    {
        int key;
        QString text;
        Qt::KeyboardModifiers modifiers;
        QString expected;
    };
    const QList<Case> cases{
        {Qt::Key_K, QStringLiteral("k"), {}, QStringLiteral("k")},
        {Qt::Key_K, QStringLiteral("K"), Qt::ShiftModifier, QStringLiteral("K")},
        {Qt::Key_K, QStringLiteral("\x0b"), Qt::ControlModifier, QStringLiteral("k")},
        {Qt::Key_K, QStringLiteral("˚"), Qt::AltModifier, QStringLiteral("k")},
        {Qt::Key_0, QStringLiteral("0"), {}, QStringLiteral("0")},
        {Qt::Key_Space, QStringLiteral(" "), {}, QStringLiteral(" ")},
        {Qt::Key_unknown, QStringLiteral("é!"), {}, QStringLiteral("é!")},
    };
    for (const Case& c : cases) {
        first->click();
        press(field, c.key, c.text, c.modifiers);
        EXPECT_FALSE(recording(first)) << c.expected.toStdString();
    }
    QList<Report> expected;
    for (const Case& c : cases)
        expected.append(c.expected);
    EXPECT_EQ(reports(firstReports), expected);
}

TEST_F(HotkeyCaptureButtonTest, AKeyWithoutTypeableCharactersOnlyStops)
{
    const QList<std::pair<int, QString>> keys{
        {Qt::Key_Return, QStringLiteral("\r")},
        {Qt::Key_Tab, QStringLiteral("\t")},
        {Qt::Key_F1, QString()},
        {Qt::Key_F2, QString(QChar(0xF705))},      // the Mac's private-use code for a function key
        {Qt::Key_unknown, QString(QChar(0x200B))}, // a format character
        {Qt::Key_unknown, QStringLiteral("a\t")},
    };
    for (const auto& [key, text] : keys) {
        first->click();
        press(field, key, text);
        EXPECT_FALSE(recording(first)) << key;
    }
    EXPECT_TRUE(reports(firstReports).isEmpty());
}

TEST_F(HotkeyCaptureButtonTest, AModifierAloneKeepsRecording)
{
    first->click();
    press(field, Qt::Key_Shift, QString(), Qt::ShiftModifier);
    press(field, Qt::Key_Control, QString(), Qt::ControlModifier);
    EXPECT_TRUE(recording(first));
    press(field, Qt::Key_J, QStringLiteral("\x0a"), Qt::ControlModifier);
    EXPECT_EQ(reports(firstReports), QList<Report>{QStringLiteral("j")});
}

TEST_F(HotkeyCaptureButtonTest, TheRecordedKeyReachesNothingElse)
{
    int triggered = 0;
    QAction action;
    action.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    window.addAction(&action);
    QObject::connect(&action, &QAction::triggered, [&] { ++triggered; });

    first->click();
    QTest::keyClick(field, Qt::Key_W, Qt::ControlModifier);
    first->click();
    QTest::keyClick(field, Qt::Key_X);
    EXPECT_EQ(reports(firstReports), (QList<Report>{QStringLiteral("w"), QStringLiteral("x")}));
    EXPECT_EQ(triggered, 0);
    EXPECT_EQ(field->text(), QString());

    // Once recording has ended, keys go where they are sent again.
    QTest::keyClick(field, Qt::Key_Y);
    EXPECT_EQ(field->text(), QStringLiteral("y"));
}

TEST_F(HotkeyCaptureButtonTest, APressElsewhereEndsRecordingAndStillActs)
{
    QSignalSpy otherClicks(other, &QPushButton::clicked);
    first->click();
    QTest::mouseClick(other, Qt::LeftButton);
    EXPECT_FALSE(recording(first));
    EXPECT_EQ(otherClicks.size(), 1);

    first->click();
    QTest::mouseClick(field, Qt::RightButton);
    EXPECT_FALSE(recording(first));
    EXPECT_TRUE(reports(firstReports).isEmpty());
}

TEST_F(HotkeyCaptureButtonTest, OneCapRecordsAtATime)
{
    QSignalSpy secondReports(second, &HotkeyCaptureButton::assigned);
    QTest::mouseClick(first, Qt::LeftButton);
    QTest::mouseClick(second, Qt::LeftButton);
    EXPECT_FALSE(recording(first));
    EXPECT_TRUE(recording(second));

    // A press from assistive technology brings no mouse-down with it.
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(first);
    ASSERT_NE(accessible, nullptr);
    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(recording(first));
    EXPECT_FALSE(recording(second));

    QTest::keyClick(field, Qt::Key_M);
    EXPECT_EQ(reports(firstReports), QList<Report>{QStringLiteral("m")});
    EXPECT_TRUE(secondReports.isEmpty());
}

TEST_F(HotkeyCaptureButtonTest, AClickOnTheRecordingCapStopsIt)
{
    QTest::mouseClick(first, Qt::LeftButton);
    ASSERT_TRUE(recording(first));
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_FALSE(recording(first));
    // ...and the next click starts again.
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_TRUE(recording(first));

    // The press stops it even when the pointer leaves the cap before the release.
    QTest::mousePress(first, Qt::LeftButton);
    QTest::mouseRelease(first, Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_FALSE(recording(first));
    first->click();
    EXPECT_TRUE(recording(first));
}

TEST_F(HotkeyCaptureButtonTest, LeavingTheScreenStopsRecording)
{
    first->click();
    first->hide();
    EXPECT_FALSE(recording(first));
    QTest::keyClick(field, Qt::Key_Q);
    EXPECT_EQ(field->text(), QStringLiteral("q"));

    second->click();
    delete second;
    second = nullptr;
    QTest::keyClick(field, Qt::Key_R);
    EXPECT_EQ(field->text(), QStringLiteral("qr"));
    EXPECT_TRUE(reports(firstReports).isEmpty());
}

TEST_F(HotkeyCaptureButtonTest, AReceiverMayRemoveTheCap)
{
    QObject::connect(first, &HotkeyCaptureButton::assigned, first, [&] {
        delete first;
        first = nullptr;
    });
    first->click();
    QTest::keyClick(field, Qt::Key_A);
    EXPECT_EQ(first, nullptr);
    QTest::keyClick(field, Qt::Key_B);
    EXPECT_EQ(field->text(), QStringLiteral("b"));
}

TEST_F(HotkeyCaptureButtonTest, Screenshots)
{
    QWidget strip;
    auto* row = new QHBoxLayout(&strip);
    auto* automatic = new HotkeyCaptureButton(std::nullopt, QStringLiteral("3"), QStringLiteral("A"));
    auto* missing = new HotkeyCaptureButton(std::nullopt, std::nullopt, QStringLiteral("B"));
    auto* chosen = new HotkeyCaptureButton(QStringLiteral("g"), QStringLiteral("g"), QStringLiteral("C"));
    auto* recording = new HotkeyCaptureButton(QStringLiteral("h"), QStringLiteral("h"), QStringLiteral("D"));
    for (HotkeyCaptureButton* cap : {automatic, missing, chosen, recording})
        row->addWidget(cap);
    strip.setAutoFillBackground(true);
    strip.adjustSize();
    recording->click();
    for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
        QPalette palette = strip.palette();
        palette.setColor(QPalette::Window, resolve(Brand::frostNS, appearance));
        strip.setPalette(palette);
        saveScreenshot(strip, QStringLiteral("hotkey-caps"), appearance);
    }
}
