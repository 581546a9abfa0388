#include "Tavro/Settings/PickerPreview.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Model/BrowserDefinition.h"
#include "Tavro/Picker/DestinationPickerView.h"
#include "Tavro/Picker/FlowerLayout.h"
#include "Tavro/Picker/PickerViewModel.h"

#include <QCoreApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tavro {

namespace {

// Handed to the sample picker, which never opens it.
const QUrl& sampleURL()
{
    static const QUrl url(QStringLiteral("https://tavro.app"));
    return url;
}

// Room the picker keeps beside the ring for a petal's half-width and half-height, and its margin.
constexpr double kHorizontalAllowance = 48;
constexpr double kVerticalAllowance = 38;
constexpr double kMargin = 16;

QUuid sampleID(int number)
{
    return QUuid(QStringLiteral("6C1E2F4A-0000-4000-8000-00000000000%1").arg(number));
}

} // namespace

QUuid PickerPreview::chromeWorkID()
{
    static const QUuid id = sampleID(4);
    return id;
}

QList<BrowserDestination> PickerPreview::sampleDestinations()
{
    //: Sample browser profile name in the Appearance preview, for a person's own (non-work) profile.
    const QString personal = QCoreApplication::translate("Tavro", "Personal");
    //: Sample browser profile name in the Appearance preview, for a work profile.
    const QString work = QCoreApplication::translate("Tavro", "Work");
    struct Sample
    {
        QString browser;
        QString bundle;
        QString profile;
        LaunchStrategy launch;
    };
    const Sample samples[] = {
        {QStringLiteral("Safari"), safariBundleIdentifier, personal, LaunchStrategy::safariProfile(personal)},
        {QStringLiteral("Chrome"), QStringLiteral("com.google.Chrome"), personal,
            LaunchStrategy::chromiumProfileDirectory(QStringLiteral("Default"))},
        {QStringLiteral("Safari"), safariBundleIdentifier, work, LaunchStrategy::safariProfile(work)},
        {QStringLiteral("Chrome"), QStringLiteral("com.google.Chrome"), work,
            LaunchStrategy::chromiumProfileDirectory(QStringLiteral("Profile 1"))},
    };
    QList<BrowserDestination> destinations;
    int number = 1;
    for (const Sample& sample : samples) {
        BrowserDestination destination;
        destination.id = number == 4 ? chromeWorkID() : sampleID(number);
        destination.browserID = sample.browser.toLower();
        destination.browserDisplayName = sample.browser;
        destination.browserBundleIdentifier = sample.bundle;
        destination.profileID = sample.profile;
        destination.profileDisplayName = sample.profile;
        destination.launchStrategy = sample.launch;
        destination.sortOrder = number;
        // A language that names both profiles alike shows the briefcase on all four.
        destination.profileEmoji = sample.profile == work ? QStringLiteral("💼") : QStringLiteral("🏠");
        destinations.append(destination);
        ++number;
    }
    return destinations;
}

PickerPreview::PickerPreview(EmojiPosition emojiPosition, double maxWidth, bool isPrivate, QWidget* parent)
    : QWidget(parent), m_maxWidth(maxWidth), m_model(makeModel(emojiPosition, isPrivate))
{
    // Never shown itself: drawn into this widget, so it gets no events of its own.
    m_picker = new DestinationPickerView(m_model, m_model->reduceAnimations ? 1.0 : 0.0, false, this);
    m_picker->hide();
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    accessibilityHidden(this);
    setFixedSize(sizeHint());
}

PickerPreview::~PickerPreview() = default;

PickerViewModel* PickerPreview::makeModel(EmojiPosition emojiPosition, bool isPrivate)
{
    auto* model = new PickerViewModel(this);
    model->destinations = sampleDestinations();
    model->url = sampleURL();
    model->bypassSymbol = QString();
    model->reduceAnimations = true;
    model->emojiPosition = emojiPosition;
    model->notice = std::nullopt;
    model->setPrivate(isPrivate);
    model->screenRoom = EdgeRoom::unconstrained();
    const auto selected = std::find_if(model->destinations.cbegin(), model->destinations.cend(),
        [](const BrowserDestination& d) { return d.id == chromeWorkID(); });
    model->setSelectedIndex(
        selected == model->destinations.cend() ? 0 : int(std::distance(model->destinations.cbegin(), selected)));
    model->lastUsedID = chromeWorkID();
    return model;
}

QSizeF PickerPreview::naturalSize() const
{
    const FlowerLayout layout(int(m_model->destinations.size()));
    return {2 * (layout.radius() + kHorizontalAllowance + kMargin),
        2 * (layout.verticalRadius() + kVerticalAllowance + kMargin)};
}

double PickerPreview::scale() const
{
    return std::min(m_maxWidth / naturalSize().width(), 1.0);
}

QSize PickerPreview::sizeHint() const
{
    const QSizeF size = naturalSize() * scale();
    return {int(std::ceil(size.width())), int(std::ceil(size.height()))};
}

void PickerPreview::paintEvent(QPaintEvent*)
{
    // The picker's canvas is larger than the ring needs: draw its centre, scaled about it.
    const QSizeF natural = naturalSize();
    const QSize canvas = m_picker->size();
    const double s = scale();
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(QRectF(rect()).center());
    painter.scale(s, s);
    painter.setClipRect(QRectF(QPointF(-natural.width() / 2, -natural.height() / 2), natural));
    painter.translate(-canvas.width() / 2.0, -canvas.height() / 2.0);
    m_picker->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
}

} // namespace tavro
