#include "Tavro/Shell/ErrorPresenter.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Shell/Alert.h"
#include "Tavro/Simulation/UrlOpenerHost.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tavro;

namespace {

class ErrorPresenterTest : public ::testing::Test
{
protected:
    Alert onlyAlert()
    {
        EXPECT_EQ(Alert::answeredAlerts().size(), 1);
        return Alert::answeredAlerts().value(0);
    }

    const QUrl link{QStringLiteral("https://example.test/a%20b?q=%C3%A4&x=1#top")};
    int retries = 0;
    std::function<void()> retry = [this] { ++retries; };
};

TEST_F(ErrorPresenterTest, CouldNotOpenShowsTheDescriptionTheLinkAndThreeButtons)
{
    Alert::answerNextWith(Alert::kThirdButtonReturn);
    ErrorPresenter::showCouldNotOpen(QStringLiteral("Chrome could not be found."), link, "Choose Another…", retry);
    const Alert alert = onlyAlert();
    EXPECT_EQ(alert.style, Alert::Style::warning);
    EXPECT_EQ(alert.messageText, QStringLiteral("Tavro couldn’t open that link"));
    EXPECT_EQ(alert.informativeText,
        QStringLiteral("Chrome could not be found.\n\nhttps://example.test/a%20b?q=%C3%A4&x=1#top"));
    EXPECT_EQ(alert.buttonTitles, (QStringList{"Choose Another…", "Copy Link", "Dismiss"}));
    EXPECT_EQ(retries, 0);
}

TEST_F(ErrorPresenterTest, AnEmptyDescriptionStillShowsTheBlankLineAndTheLink)
{
    Alert::answerNextWith(Alert::kThirdButtonReturn);
    ErrorPresenter::showCouldNotOpen(QString(), QUrl("about:blank"), "Choose Another…", retry);
    EXPECT_EQ(onlyAlert().informativeText, QStringLiteral("\n\nabout:blank"));
}

TEST_F(ErrorPresenterTest, FirstButtonRetries)
{
    Alert::answerNextWith(Alert::kFirstButtonReturn);
    ErrorPresenter::showCouldNotOpen(QStringLiteral("x"), link, "Retry", retry);
    EXPECT_EQ(retries, 1);
}

TEST_F(ErrorPresenterTest, CopyLinkReplacesTheClipboardWithTheExactLink)
{
    auto* rich = new QMimeData;
    rich->setHtml(QStringLiteral("<b>old</b>"));
    rich->setText(QStringLiteral("old"));
    QGuiApplication::clipboard()->setMimeData(rich);

    Alert::answerNextWith(Alert::kSecondButtonReturn);
    ErrorPresenter::showCouldNotOpen(QStringLiteral("x"), link, "Choose Another…", retry);
    const QMimeData* now = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(now, nullptr);
    EXPECT_EQ(now->text(), QStringLiteral("https://example.test/a%20b?q=%C3%A4&x=1#top"));
    EXPECT_FALSE(now->hasHtml());
    EXPECT_EQ(retries, 0);
}

TEST_F(ErrorPresenterTest, PrivateWindowAccessibilityAlertNamesTheBrowser)
{
    Alert::answerNextWith(Alert::kSecondButtonReturn);
    ErrorPresenter::showAccessibilityNeeded(link, QStringLiteral("Safari"));
    const Alert alert = onlyAlert();
    EXPECT_EQ(alert.messageText, QStringLiteral("Let Tavro open private windows"));
    EXPECT_EQ(alert.informativeText,
        QStringLiteral("To open links in a private Safari window, allow Tavro under Accessibility in System "
                       "Settings. The link wasn’t opened, so it stays private."));
    EXPECT_EQ(alert.buttonTitles, (QStringList{"Grant Accessibility…", "Later"}));
    EXPECT_TRUE(UrlOpenerHost::openedUrls().isEmpty());
}

TEST_F(ErrorPresenterTest, SafariProfileAccessibilityAlertOpensTheAccessibilityPane)
{
    Alert::answerNextWith(Alert::kFirstButtonReturn);
    ErrorPresenter::showAccessibilityNeeded(link, std::nullopt);
    const Alert alert = onlyAlert();
    EXPECT_EQ(alert.messageText, QStringLiteral("Let Tavro open Safari profiles"));
    EXPECT_EQ(alert.informativeText,
        QStringLiteral("To open links in a specific Safari profile, allow Tavro under Accessibility in System "
                       "Settings. The link was opened in Safari for now."));
    EXPECT_EQ(UrlOpenerHost::openedUrls(),
        (QList<QUrl>{QUrl("x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility")}));
}

TEST_F(ErrorPresenterTest, ShowPicksTheAlertByTheFailure)
{
    struct Case
    {
        LaunchFailure failure;
        QString title;
        QString bodyStart;
    };
    const QList<Case> cases{
        {SafariLaunchError::accessibilityDenied(), "Let Tavro open Safari profiles", "To open links in a specific"},
        {PrivateWindowError::accessibilityDenied("Firefox"), "Let Tavro open private windows",
            "To open links in a private Firefox window"},
        {PrivateWindowError::locked("Firefox"), "Tavro couldn’t open that link",
            PrivateWindowError::locked("Firefox").description()},
        {PrivateWindowError::menuItemNotFound("Safari"), "Tavro couldn’t open that link",
            PrivateWindowError::menuItemNotFound("Safari").description()},
        {SafariLaunchError::profileWindowNotFound("Work"), "Tavro couldn’t open that link",
            SafariLaunchError::profileWindowNotFound("Work").description()},
        {BrowserLaunchError::appNotFound("Brave Browser"), "Tavro couldn’t open that link",
            BrowserLaunchError::appNotFound("Brave Browser").description()},
    };
    for (const Case& c : cases) {
        Alert::resetTestAnswers();
        Alert::answerNextWith(Alert::kSecondButtonReturn + 1);
        ErrorPresenter::show(c.failure, link, "Choose Another…", retry);
        const Alert alert = onlyAlert();
        EXPECT_EQ(alert.messageText, c.title);
        EXPECT_TRUE(alert.informativeText.startsWith(c.bodyStart)) << alert.informativeText.toStdString();
    }
    EXPECT_EQ(retries, 0);
}

} // namespace

// A shown alert, as the person sees it: titled with the application's name, in Tavro's appearance.
TEST(AlertTest, AnAlertIsTitledTavroAndDrawnInTavrosAppearance)
{
    setApplicationAppearance(Appearance::dark);
    QString title;
    QColor background;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        title = box->windowTitle();
        background = box->grab().toImage().pixelColor(2, 2);
        box->buttons().last()->click();
    });
    Alert alert;
    alert.messageText = QStringLiteral("Couldn’t open the link");
    alert.addButton(QStringLiteral("Dismiss"));
    EXPECT_EQ(alert.runModal(), Alert::kFirstButtonReturn);
    setApplicationAppearance(std::nullopt);
    EXPECT_EQ(title, QStringLiteral("Tavro"));
    EXPECT_EQ(background, resolve(Brand::frost, Appearance::dark));
}
