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
#include <QTextLayout>
#include <QVBoxLayout>
#include <QtMath>

#include <algorithm>
#include <functional>

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

// A name in the intro, a link of its own: it lies over the name as the paragraph draws it and draws
// nothing but the focus ring around it.
class IntroNameLink : public QAbstractButton
{
public:
    IntroNameLink(const QString& name, QWidget* parent) : QAbstractButton(parent)
    {
        setObjectName(name);
        setText(name);
        accessibilityLink(this);
        pointingHandCursor(this);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!FocusRing::isShown(this))
            return;
        QPainter painter(this);
        FocusRing::paint(painter, Drawing::roundedRect(QRectF(rect()), 3), this);
    }
};

// The intro: one paragraph, read whole by a screen reader and never a Tab stop itself, whose linked
// names are links of their own, one Tab stop each. It lays out and draws all of its text in the
// window's appearance, the names in `Brand.navy` and underlined; a name never breaks across lines,
// so its link is one rectangle over it.
class IntroParagraph : public QLabel
{
public:
    IntroParagraph(const QString& text, const QList<OtherProjectsSettingsView::IntroLink>& links,
        const std::function<void(const QUrl&)>& open)
        : m_shown(text), m_links(links)
    {
        setObjectName(QStringLiteral("intro"));
        setFont(Drawing::systemFont(12));
        setWordWrap(true);
        setTextFormat(Qt::PlainText);
        // What a screen reader reads: the text as written.
        setText(text);
        for (const auto& link : links) {
            for (qsizetype i = link.start; i < link.start + link.length; ++i) {
                if (m_shown[i] == u' ')
                    m_shown[i] = QChar::Nbsp;
            }
            auto* name = new IntroNameLink(text.mid(link.start, link.length), this);
            connect(name, &QAbstractButton::clicked, this, [open, url = link.url] { open(url); });
            m_names.append(name);
        }
    }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override
    {
        const int horizontal = this->width() - contentsRect().width();
        const int vertical = height() - contentsRect().height();
        QTextLayout layout;
        return qCeil(layOut(layout, width - horizontal)) + vertical;
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(resolve(Brand::textSecondary, this));
        QTextLayout layout;
        layOut(layout, contentsRect().width());
        layout.draw(&painter, contentsRect().topLeft());
    }

    void resizeEvent(QResizeEvent* event) override
    {
        QLabel::resizeEvent(event);
        QTextLayout layout;
        layOut(layout, contentsRect().width());
        for (qsizetype i = 0; i < m_links.size(); ++i) {
            const QRectF name = nameRect(layout, m_links.at(i)).translated(contentsRect().topLeft());
            m_names.at(i)->setGeometry(name.adjusted(-kRingRoom, 0, kRingRoom, 0).toAlignedRect());
        }
    }

private:
    // Room beside a name for its ring.
    static constexpr double kRingRoom = 2;

    // Lays the text out in lines `width` wide, the names in the link colour of the window's appearance
    // and underlined; returns its height.
    double layOut(QTextLayout& layout, int width) const
    {
        layout.setText(m_shown);
        layout.setFont(font());
        QTextOption option(Qt::AlignLeft);
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        QList<QTextLayout::FormatRange> formats;
        for (const auto& link : m_links) {
            QTextCharFormat format;
            format.setForeground(resolve(Brand::navy, this));
            format.setFontUnderline(true);
            formats.append({int(link.start), int(link.length), format});
        }
        layout.setFormats(formats);
        double y = 0;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(width);
            line.setPosition({0, y});
            y += line.height();
        }
        layout.endLayout();
        return y;
    }

    // Where `link` is drawn in `layout`: the lines it lies on, from its first character to its last.
    static QRectF nameRect(const QTextLayout& layout, const OtherProjectsSettingsView::IntroLink& link)
    {
        const int start = int(link.start);
        const int end = int(link.start + link.length);
        QRectF rect;
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            const int from = std::max(start, line.textStart());
            const int to = std::min(end, line.textStart() + line.textLength());
            if (from >= to)
                continue;
            const double x1 = line.cursorToX(from);
            const double x2 = line.cursorToX(to);
            rect |= QRectF(QPointF(std::min(x1, x2), line.y()), QPointF(std::max(x1, x2), line.y() + line.height()));
        }
        return rect;
    }

    QString m_shown; // the text as drawn: no line breaks inside a name
    QList<OtherProjectsSettingsView::IntroLink> m_links;
    QList<IntroNameLink*> m_names;
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

QList<OtherProjectsSettingsView::IntroLink> OtherProjectsSettingsView::introLinks(const QString& text)
{
    const std::pair<QString, QString> names[] = {
        {QStringLiteral("Vask Haldor"), QStringLiteral("https://vaskhaldor.dev/from-tavro")},
        {QStringLiteral("Mirovanta"), QStringLiteral("https://mirovanta.com/from-tavro")},
    };
    QList<IntroLink> found;
    for (const auto& [name, address] : names) {
        const qsizetype at = text.indexOf(name);
        if (at < 0)
            continue;
        if (const auto url = taggedURL(address))
            found.append({at, name.size(), *url});
    }
    std::sort(found.begin(), found.end(), [](const IntroLink& a, const IntroLink& b) { return a.start < b.start; });
    QList<IntroLink> links;
    for (const IntroLink& link : found) {
        if (links.isEmpty() || link.start >= links.last().start + links.last().length)
            links.append(link);
    }
    return links;
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
    //: Intro of the Other Projects settings pane. Vask Haldor is the developer's name and Mirovanta the studio's;
    //: do not translate them.
    const QString intro = QCoreApplication::translate("Tavro",
        "Tavro is one of several products Vask Haldor of Mirovanta designs, builds, and ships end to end. Here’s "
        "the rest of the lineup.");
    // Links in the text go through the routing, never straight to the system.
    auto* paragraph
        = new IntroParagraph(intro, introLinks(intro), [this](const QUrl& url) { Q_EMIT routeRequested(url); });
    introBlock->addWidget(paragraph);
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
