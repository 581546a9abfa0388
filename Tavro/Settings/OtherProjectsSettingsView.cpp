#include "Tavro/Settings/OtherProjectsSettingsView.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/FocusRing.h"
#include "Tavro/Controls/PointingHandCursor.h"
#include "Tavro/Controls/ResourceBundle.h"
#include "Tavro/Controls/SymbolImage.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Settings/AboutLinks.h"
#include "Tavro/Settings/SettingsView.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <algorithm>

namespace tavro {

namespace {

constexpr double kCornerRadius = 9;
constexpr double kPlaceholderAspect = 1.6;

// A project's picture at the card's full width, or the placeholder when it has none.
// A project's picture, decoded at the size it is drawn and only while its pane is shown: the
// pictures are large and drawn small.
class Shot : public QWidget
{
public:
    explicit Shot(const QString& name) : m_name(name), m_size(ResourceBundle::imageSize(name, QLatin1String(imageType)))
    {
        QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
        setObjectName(m_size ? QStringLiteral("picture") : QStringLiteral("placeholder"));
        accessibilityHidden(this);
    }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return qRound(width / aspect()); }
    QSize sizeHint() const override { return {160, heightForWidth(160)}; }

    static constexpr auto imageType = "webp";

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        // Fitted: the whole picture, centred, its aspect kept.
        QSizeF size(width(), width() / aspect());
        size.scale(QSizeF(this->size()), Qt::KeepAspectRatio);
        const QRectF frame(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
        QPainterPath shape;
        shape.addRoundedRect(frame, kCornerRadius, kCornerRadius);
        if (const QImage* picture = drawn(frame.size())) {
            painter.setClipPath(shape);
            painter.drawImage(frame, *picture);
        } else {
            QColor fill = resolve(Brand::chain, this);
            fill.setAlphaF(0.4);
            painter.fillPath(shape, fill);
        }
    }

private:
    double aspect() const
    {
        if (m_size && m_size->height() > 0)
            return double(m_size->width()) / m_size->height();
        return kPlaceholderAspect;
    }

    // The picture at `size` in device pixels, decoded again only when that size changes.
    const QImage* drawn(QSizeF size)
    {
        if (!m_size)
            return nullptr;
        const QSize pixels = (size * devicePixelRatioF()).toSize();
        if (!m_drawn || m_drawn->size() != pixels)
            m_drawn = ResourceBundle::image(m_name, QLatin1String(imageType), pixels);
        return m_drawn ? &*m_drawn : nullptr;
    }

    QString m_name;
    std::optional<QSize> m_size;
    std::optional<QImage> m_drawn;
};

// The card's own outward arrow after the name, in `Brand.ice`.
class OutwardArrow : public QWidget
{
public:
    OutwardArrow()
    {
        setFixedSize(10, 10);
        accessibilityHidden(this);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        SymbolImage::paint(painter, QRectF(rect()), QStringLiteral("arrow.up.right"), resolve(Brand::ice, this));
    }
};

// The intro, whose two names are links the keyboard reaches: ringed while one of them has it.
class IntroLabel : public QLabel
{
protected:
    void paintEvent(QPaintEvent* event) override
    {
        QLabel::paintEvent(event);
        if (FocusRing::isShown(this)) {
            QPainter painter(this);
            FocusRing::paint(painter, Drawing::roundedRect(QRectF(rect()), 4), this);
        }
    }
};

// The whole card is one link-like button on a rounded `Brand.frostDeep` field.
class ProjectCard : public QAbstractButton
{
public:
    ProjectCard()
    {
        accessibilityLink(this);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        pointingHandCursor(this);
    }

    QSize sizeHint() const override { return layout() ? layout()->sizeHint() : QSize(); }
    bool hasHeightForWidth() const override { return layout() && layout()->hasHeightForWidth(); }
    int heightForWidth(int width) const override { return layout() ? layout()->totalHeightForWidth(width) : -1; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()), kCornerRadius, kCornerRadius);
        painter.fillPath(shape, resolve(Brand::frostDeep, this));
        if (FocusRing::isShown(this))
            FocusRing::paint(painter, shape, this);
    }
};

} // namespace

const QList<OtherProjectsSettingsView::Project>& OtherProjectsSettingsView::projects()
{
    static const QList<Project> table{
        {QStringLiteral("Ostrel"),
            //: A one-line summary of another app by the same developer, in the Other Projects settings pane. The app's
            //: name is not translated.
            QCoreApplication::translate("Tavro", "Keeps your screenshots sorted, searchable, and out of the way."),
            QStringLiteral("https://ostrel.app/from-tavro"), QStringLiteral("ostrel")},
        {QStringLiteral("Kelvane"),
            //: A one-line summary of another app by the same developer, in the Other Projects settings pane. The app's
            //: name is not translated.
            QCoreApplication::translate("Tavro", "A calm timer for deep work that stays in the menu bar."),
            QStringLiteral("https://kelvane.app/from-tavro"), QStringLiteral("kelvane")},
        {QStringLiteral("Velloc"),
            //: A one-line summary of another app by the same developer, in the Other Projects settings pane. The app's
            //: name is not translated.
            QCoreApplication::translate("Tavro", "An open-source tool that tidies up Swift package manifests."),
            QStringLiteral("https://github.com/vaskhaldor/velloc"), QStringLiteral("velloc")},
        {QStringLiteral("Drusk"),
            //: A one-line summary of another app by the same developer, in the Other Projects settings pane. The app's
            //: name is not translated.
            QCoreApplication::translate("Tavro", "An open-source command line for batch-renaming photos by date."),
            QStringLiteral("https://github.com/vaskhaldor/drusk"), QStringLiteral("drusk")},
        {QStringLiteral("Morvik"),
            //: A one-line summary of another app by the same developer, in the Other Projects settings pane. The app's
            //: name is not translated.
            QCoreApplication::translate("Tavro", "Clipboard history that remembers what you copied, privately."),
            QStringLiteral("https://morvik.app/from-tavro"), QStringLiteral("morvik")},
        {QStringLiteral("Pellion"),
            //: A one-line summary of another app by the same developer, in the Other Projects settings pane. The app's
            //: name is not translated.
            QCoreApplication::translate("Tavro", "Plain-text notes that sync through your own folder."),
            QStringLiteral("https://pellion.app/from-tavro"), QStringLiteral("pellion")},
        {QStringLiteral("Tramish"),
            //: A one-line summary of another app by the same developer, in the Other Projects settings pane. The app's
            //: name is not translated.
            QCoreApplication::translate("Tavro", "Window layouts you can save and bring back with one key."),
            QStringLiteral("https://tramish.app/from-tavro"), QStringLiteral("tramish")},
        {QStringLiteral("Quibrox"),
            //: A one-line summary of another app by the same developer, in the Other Projects settings pane. The app's
            //: name is not translated.
            QCoreApplication::translate("Tavro", "A tiny word game for two minutes a day."),
            QStringLiteral("https://quibrox.app/from-tavro"), QStringLiteral("quibrox")},
        {QStringLiteral("Zanthe"),
            //: A one-line summary of another app by the same developer, in the Other Projects settings pane. The app's
            //: name is not translated.
            QCoreApplication::translate("Tavro", "Reads your RSS feeds aloud while you do something else."),
            QStringLiteral("https://zanthe.app/from-tavro"), QStringLiteral("zanthe")},
        {QStringLiteral("Hobbrel"),
            //: A one-line summary of another app by the same developer, in the Other Projects settings pane. The app's
            //: name is not translated.
            QCoreApplication::translate("Tavro", "A field guide to the small tools that make a Mac feel yours."),
            QStringLiteral("https://hobbrel.com"), QStringLiteral("hobbrel")},
        {QStringLiteral("Gantrish"),
            //: A one-line summary of another app by the same developer, in the Other Projects settings pane. The app's
            //: name is not translated.
            QCoreApplication::translate("Tavro", "Notes on building and shipping apps alone."),
            QStringLiteral("https://gantrish.com"), QStringLiteral("gantrish")},
    };
    return table;
}

std::optional<QUrl> OtherProjectsSettingsView::taggedURL(const QString& address)
{
    return AboutLinks::tagged(address, QStringLiteral("other-projects"), QStringLiteral("app"));
}

QString OtherProjectsSettingsView::introHtml(const QString& text, const QColor& linkColor)
{
    struct Range
    {
        qsizetype start;
        qsizetype length;
        QUrl url;
    };
    const std::pair<QString, QString> names[] = {
        {QStringLiteral("Vask Haldor"), QStringLiteral("https://vaskhaldor.dev/from-tavro")},
        {QStringLiteral("Mirovanta"), QStringLiteral("https://mirovanta.com/from-tavro")},
    };
    QList<Range> ranges;
    for (const auto& [name, address] : names) {
        const qsizetype at = text.indexOf(name);
        if (at < 0)
            continue;
        const auto url = taggedURL(address);
        if (!url)
            continue;
        ranges.append({at, name.size(), *url});
    }
    std::sort(ranges.begin(), ranges.end(), [](const Range& a, const Range& b) { return a.start < b.start; });

    QString html;
    qsizetype from = 0;
    for (const Range& range : ranges) {
        if (range.start < from)
            continue; // one name inside the other: the first keeps its link
        html += text.mid(from, range.start - from).toHtmlEscaped();
        html += QStringLiteral("<a href=\"%1\" style=\"color:%2; text-decoration:underline\">%3</a>")
                    .arg(range.url.toString(QUrl::FullyEncoded).toHtmlEscaped(), linkColor.name(),
                        text.mid(range.start, range.length).toHtmlEscaped());
        from = range.start + range.length;
    }
    html += text.mid(from).toHtmlEscaped();
    return html;
}

OtherProjectsSettingsView::OtherProjectsSettingsView(int columns, QWidget* parent) : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    column->addWidget(SettingsView::sectionTitle(SettingsView::title(SettingsView::Section::otherProjects)));

    auto* introBlock = new QVBoxLayout;
    introBlock->setSpacing(6);
    //: Subtitle of the Other Projects settings pane.
    introBlock->addWidget(new BrandLabel(QCoreApplication::translate("Tavro", "From the same workshop."), Brand::navy,
        Drawing::systemFont(13, QFont::DemiBold)));
    // A plain label: BrandLabel draws its text as it is, and this one is rich text.
    m_intro = new IntroLabel;
    m_intro->setFont(Drawing::systemFont(12));
    m_intro->setObjectName(QStringLiteral("intro"));
    m_intro->setWordWrap(true);
    m_intro->setTextFormat(Qt::RichText);
    // Links in the text go through the routing, never straight to the system.
    m_intro->setOpenExternalLinks(false);
    m_intro->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(m_intro, &QLabel::linkActivated, this, [this](const QString& link) { Q_EMIT routeRequested(QUrl(link)); });
    introBlock->addWidget(m_intro);
    column->addLayout(introBlock);

    auto* grid = new QGridLayout;
    grid->setSpacing(14);
    grid->setContentsMargins(0, 2, 0, 0);
    int index = 0;
    for (const Project& project : projects()) {
        grid->addWidget(card(project), index / columns, index % columns, Qt::AlignTop);
        ++index;
    }
    for (int c = 0; c < columns; ++c)
        grid->setColumnStretch(c, 1);
    column->addLayout(grid);
}

void OtherProjectsSettingsView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    colourIntro();
}

bool OtherProjectsSettingsView::event(QEvent* event)
{
    if (event->type() == appearanceChanged() || event->type() == QEvent::ApplicationPaletteChange)
        colourIntro();
    return QWidget::event(event);
}

void OtherProjectsSettingsView::colourIntro()
{
    //: Intro of the Other Projects settings pane. Vask Haldor is the developer's name and Mirovanta the studio's;
    //: do not translate them.
    const QString text = QCoreApplication::translate("Tavro",
        "Tavro is one of several products Vask Haldor of Mirovanta designs, builds, and ships end to end. Here’s "
        "the rest of the lineup.");
    QPalette palette = m_intro->palette();
    palette.setColor(QPalette::WindowText, resolve(Brand::textSecondary, this));
    m_intro->setPalette(palette);
    m_intro->setText(introHtml(text, resolve(Brand::navy, this)));
}

QWidget* OtherProjectsSettingsView::card(const Project& project)
{
    auto* card = new ProjectCard;
    card->setObjectName(project.name);
    card->setAccessibleName(project.name + QStringLiteral(", ") + project.summary);
    auto* stack = new QVBoxLayout(card);
    stack->setContentsMargins(14, 14, 14, 14);
    stack->setSpacing(8);
    stack->addWidget(new Shot(QStringLiteral("projects/") + project.image));
    auto* nameRow = new QHBoxLayout;
    nameRow->setSpacing(5);
    nameRow->addWidget(new BrandLabel(project.name, Brand::navy, Drawing::systemFont(14, QFont::DemiBold)));
    nameRow->addWidget(new OutwardArrow, 0, Qt::AlignVCenter);
    nameRow->addStretch(1);
    stack->addLayout(nameRow);
    stack->addWidget(BrandLabel::wrapping(project.summary, Brand::textSecondary, Drawing::systemFont(12)));
    for (QWidget* child : card->findChildren<QWidget*>())
        child->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(card, &QAbstractButton::clicked, this, [this, address = project.url] {
        if (const auto url = taggedURL(address))
            Q_EMIT routeRequested(*url);
    });
    return card;
}

} // namespace tavro
