#include "Tavro/Settings/AboutSettingsView.h"
#include "Tavro/Settings/UpdatesCard.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/BuiltByCredit.h"
#include "Tavro/Controls/ButtonStyleBase.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/TavroMark.h"
#include "Tavro/Controls/TavroOutlineButtonStyle.h"
#include "Tavro/Controls/VoiceOver.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Platform/SystemInfo.h"
#include "Tavro/Platform/UrlOpener.h"
#include "Tavro/Settings/AboutLinks.h"
#include "Tavro/Settings/CopiedVersion.h"
#include "Tavro/Settings/SettingsCard.h"
#include "Tavro/Settings/SettingsView.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavro {

namespace {

QString copiedText()
{
    //: A short button label shown briefly after a copy to the clipboard (About settings pane); also announced.
    return QCoreApplication::translate("Tavro", "Copied");
}

} // namespace

AboutSettingsView::AboutSettingsView(CopiedVersion& copied, UpdateController* updates, QWidget* parent)
    : QWidget(parent), m_copied(copied)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    column->addWidget(SettingsView::sectionTitle(SettingsView::title(SettingsView::Section::about)));
    column->addWidget(header());
    column->addWidget(versionCard());
    if (updates)
        column->addWidget(new UpdatesCard(*updates));
    column->addWidget(onTheWebCard());
    column->addWidget(developerCard());

    connect(&m_copied, &CopiedVersion::changed, this, &AboutSettingsView::showCopied);
}

QString AboutSettingsView::versionString()
{
    const QString version
        = SystemInfo::bundleString(QStringLiteral("CFBundleShortVersionString")).value_or(QStringLiteral("?"));
    const QString build = SystemInfo::bundleString(QStringLiteral("CFBundleVersion")).value_or(QStringLiteral("?"));
    //: App version line in the About settings pane. The first %1 is the version, the second the build number, e.g.
    //: Version 1.4.0 (13).
    return QCoreApplication::translate("Tavro", "Version %1 (%2)").arg(version, build);
}

QString AboutSettingsView::systemString()
{
    const SystemInfo::OperatingSystemVersion os = SystemInfo::operatingSystemVersion();
    QString version = QStringLiteral("%1.%2").arg(os.majorVersion).arg(os.minorVersion);
    if (os.patchVersion != 0)
        version += QStringLiteral(".%1").arg(os.patchVersion);
    // The kernel fills a buffer; the build ends at its first NUL.
    const QByteArray buffer = SystemInfo::osBuild();
    const QString build
        = QString::fromUtf8(buffer.left(buffer.indexOf('\0') < 0 ? buffer.size() : buffer.indexOf('\0')));
    QString line = SystemInfo::prettyName().value_or(QStringLiteral("macOS ") + version);
    if (!build.isEmpty())
        line += QStringLiteral(" (") + build + QLatin1Char(')');
    return line;
}

QString AboutSettingsView::versionInfo()
{
    return QStringLiteral("Tavro ") + versionString() + QStringLiteral(", ") + systemString();
}

QWidget* AboutSettingsView::header()
{
    auto* header = new QWidget;
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(14);
    auto* icon = new TavroMark(64, header);
    accessibilityHidden(icon);
    row->addWidget(icon, 0, Qt::AlignVCenter);
    auto* names = new QVBoxLayout;
    names->setSpacing(3);
    auto* name = new BrandLabel(QStringLiteral("Tavro"), Brand::navy, Drawing::systemFont(22, QFont::ExtraBold));
    accessibilityHeading(name);
    names->addWidget(name);
    //: Product tagline in the About settings pane.
    names->addWidget(new BrandLabel(QCoreApplication::translate("Tavro", "Tavro gets links where they belong."),
        Brand::textSecondary, Drawing::systemFont(12)));
    row->addLayout(names);
    row->addStretch(1);
    return header;
}

QWidget* AboutSettingsView::versionCard()
{
    //: Card title in the About settings pane showing the app and macOS versions.
    auto* card = new SettingsCard(QCoreApplication::translate("Tavro", "Version"));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(6);
    const QFont font = Drawing::systemFont(12);
    const auto addRow = [&](int index, const QString& label, const QString& value) {
        auto* name = new BrandLabel(label, Brand::textSecondary, font);
        auto* text = new BrandLabel(value, Brand::navy, font);
        text->setObjectName(index == 0 ? QStringLiteral("versionLine") : QStringLiteral("systemLine"));
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // Read as one element, label and value together.
        accessibilityHidden(name);
        text->setAccessibleName(label + QStringLiteral(", ") + value);
        grid->addWidget(name, index, 0);
        grid->addWidget(text, index, 1);
    };
    addRow(0, QStringLiteral("Tavro"), versionString());
    //: Label in the About settings pane's Version card for the macOS version line.
    addRow(1, QCoreApplication::translate("Tavro", "System", "operating system"), systemString());
    grid->setColumnStretch(2, 1);
    card->column()->addLayout(grid);

    m_copyButton = new QPushButton;
    m_copyButton->setObjectName(QStringLiteral("copyVersionInfo"));
    //: Tooltip on the Copy Version Info button in the About settings pane.
    m_copyButton->setToolTip(
        QCoreApplication::translate("Tavro", "Copies the Tavro and macOS versions, handy for a support request."));
    TavroOutlineButtonStyle::apply(m_copyButton);
    showCopied(m_copied.isOn());
    connect(m_copyButton, &QPushButton::clicked, this, &AboutSettingsView::copyVersionInfo);
    card->column()->addWidget(m_copyButton, 0, Qt::AlignLeft);
    return card;
}

void AboutSettingsView::copyVersionInfo()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(versionInfo());
    m_copied.press();
    VoiceOver::announce(copiedText());
}

void AboutSettingsView::showCopied(bool copied)
{
    //: Button in the About settings pane that copies the Tavro and macOS versions to the clipboard.
    m_copyButton->setText(copied ? copiedText() : QCoreApplication::translate("Tavro", "Copy Version Info"));
    m_copyButton->setProperty(
        ButtonStyleBase::kSymbolProperty, copied ? QStringLiteral("checkmark") : QStringLiteral("doc.on.doc"));
    m_copyButton->updateGeometry();
    m_copyButton->update();
}

QWidget* AboutSettingsView::onTheWebCard()
{
    //: Card title in the About settings pane listing links to pages on Tavro's website.
    auto* card = new SettingsCard(QCoreApplication::translate("Tavro", "On the web"));
    auto* grid = new QGridLayout;
    grid->setSpacing(10);
    int index = 0;
    for (const AboutLinks::Link& link : AboutLinks::all()) {
        auto* button = new QPushButton(AboutLinks::title(link.path));
        button->setObjectName(link.path);
        button->setProperty(ButtonStyleBase::kSymbolProperty, link.icon);
        button->setProperty(ButtonStyleBase::kSymbolLeadingProperty, true);
        accessibilityLink(button);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        TavroOutlineButtonStyle::apply(button);
        connect(button, &QPushButton::clicked, this, [path = link.path] {
            if (const auto url = AboutLinks::url(path, QStringLiteral("app")))
                UrlOpener::open(*url);
        });
        grid->addWidget(button, index / 2, index % 2);
        ++index;
    }
    card->column()->addLayout(grid);
    return card;
}

QWidget* AboutSettingsView::developerCard()
{
    //: Card title in the About settings pane introducing the developer.
    auto* card = new SettingsCard(QCoreApplication::translate("Tavro", "About the developer"));
    //: About settings pane: one sentence about the developer. Vask Haldor and Mirovanta are names; do not translate
    //: them.
    auto* sentence = BrandLabel::wrapping(QCoreApplication::translate("Tavro",
                                              "Tavro is designed, built, and shipped by Vask Haldor, an independent "
                                              "developer who makes every Mirovanta product end to end."),
        Brand::textSecondary, Drawing::systemFont(12));
    card->column()->addWidget(sentence);
    auto* row = new QHBoxLayout;
    row->setSpacing(12);
    //: Button in the About settings pane that switches to the Other Projects pane.
    auto* others = new QPushButton(QCoreApplication::translate("Tavro", "See Other Projects"));
    others->setObjectName(QStringLiteral("seeOtherProjects"));
    TavroOutlineButtonStyle::apply(others);
    connect(others, &QPushButton::clicked, this, &AboutSettingsView::otherProjectsRequested);
    row->addWidget(others);
    row->addWidget(new BuiltByCredit(QStringLiteral("about")));
    row->addStretch(1);
    card->column()->addLayout(row);
    return card;
}

} // namespace tavro
