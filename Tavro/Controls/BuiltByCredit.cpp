#include "Tavro/Controls/BuiltByCredit.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/FocusRing.h"
#include "Tavro/Controls/PointingHandCursor.h"
#include "Tavro/Model/Brand.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QUrlQuery>

namespace tavro {

namespace {

const QString developerPage = QStringLiteral("https://vaskhaldor.dev/from-tavro");

void colour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

// The developer's name, a link: plain text under the style sheet, ringed while the keyboard is on it
// (the style sheet's own focus frame gives way to the ring).
class NameLink : public QPushButton
{
public:
    explicit NameLink(QWidget* parent) : QPushButton(QString::fromLatin1(BuiltByCredit::developerName), parent)
    {
        setStyleSheet(QStringLiteral("QPushButton { border: none; padding: 0; }"));
        setStyle(FocusRing::ControlStyle::shared());
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPushButton::paintEvent(event);
        if (FocusRing::isShown(this)) {
            QPainter painter(this);
            FocusRing::paint(painter, Drawing::roundedRect(QRectF(rect()), 3), this);
        }
    }
};

} // namespace

std::optional<QUrl> BuiltByCredit::url(const QString& content)
{
    QUrl page(developerPage, QUrl::StrictMode);
    if (!page.isValid())
        return std::nullopt;
    QUrlQuery query(page);
    query.addQueryItem(QStringLiteral("utm_source"), QStringLiteral("tavro"));
    query.addQueryItem(QStringLiteral("utm_medium"), QStringLiteral("referral"));
    query.addQueryItem(QStringLiteral("utm_campaign"), QStringLiteral("built-by"));
    query.addQueryItem(QStringLiteral("utm_content"), content);
    page.setQuery(query);
    return page;
}

std::pair<QString, QString> BuiltByCredit::split(const QString& credit)
{
    const QString marker = QStringLiteral("{0}");
    const auto at = credit.indexOf(marker);
    if (at < 0)
        return {credit, QString()};
    return {credit.left(at), credit.mid(at + marker.size())};
}

BuiltByCredit::BuiltByCredit(const QString& content, QWidget* parent) : QWidget(parent), m_content(content)
{
    //: Developer credit in Settings and About. {0} is replaced by the developer's name, which links to his site; keep
    //: {0} exactly as written.
    const QString credit = QCoreApplication::translate("Tavro", "Built by {0}");
    QString trailing;
    std::tie(m_leading, trailing) = split(credit);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    const QFont font = Drawing::systemFont(11);
    if (!m_leading.isEmpty()) {
        auto* before = new QLabel(m_leading, this);
        before->setFont(font);
        row->addWidget(before);
    }
    m_name = new NameLink(this);
    QFont link = font;
    link.setUnderline(true);
    m_name->setFont(link);
    m_name->setFlat(true);
    accessibilityLink(m_name);
    pointingHandCursor(m_name);
    connect(m_name, &QPushButton::clicked, this, [this] {
        if (const auto target = url(m_content))
            QDesktopServices::openUrl(*target);
    });
    row->addWidget(m_name);
    followAppearance(this, [this] {
        for (QLabel* label : findChildren<QLabel*>())
            colour(label, resolve(Brand::textSecondary, this));
        colour(m_name, resolve(Brand::navy, this));
    });
    if (!trailing.isEmpty()) {
        auto* after = new QLabel(trailing, this);
        after->setFont(font);
        row->addWidget(after);
    }
}

} // namespace tavro
