#include "Tavro/Settings/EmojiPopover.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/FocusRing.h"
#include "Tavro/Controls/PointingHandCursor.h"
#include "Tavro/Controls/ProfilePhoto.h"
#include "Tavro/Controls/ReturnPress.h"
#include "Tavro/Controls/SymbolImage.h"
#include "Tavro/Controls/TavroButtonStyle.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/EmojiInput.h"
#include "Tavro/Settings/EmojiCatalog.h"
#include "Tavro/Settings/EmojiPickerButton.h"
#include "Tavro/Settings/PopoverPlacement.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace tavro {

namespace {

constexpr int padding = 14;
constexpr double cornerRadius = 7;

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

// A solid button whose label is a small picture before the text. The shared button style draws
// text only, so the label is drawn here on the style's background.
class ImageTextButton : public QPushButton
{
public:
    using Image = std::function<void(QPainter&, const QRectF&)>;

    ImageTextButton(const QString& text, double imageSize, int spacing, Image image, QWidget* parent)
        : QPushButton(text, parent), m_imageSize(imageSize), m_spacing(spacing), m_image(std::move(image))
    {
        TavroButtonStyle::apply(this, false);
        pointingHandCursor(this);
    }

    void setProminent(bool prominent)
    {
        m_prominent = prominent;
        TavroButtonStyle::apply(this, prominent);
        updateGeometry();
    }

    QSize sizeHint() const override
    {
        const QSize text = fontMetrics().size(Qt::TextSingleLine, this->text());
        const int height = std::max(text.height(), int(std::ceil(m_imageSize)));
        return {text.width() + int(std::ceil(m_imageSize)) + m_spacing + 2 * TavroButtonStyle::horizontalPadding,
            height + 2 * TavroButtonStyle::verticalPadding};
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);

        const QSize text = fontMetrics().size(Qt::TextSingleLine, this->text());
        const double total = m_imageSize + m_spacing + text.width();
        const double left = (width() - total) / 2;
        m_image(painter, QRectF(left, (height() - m_imageSize) / 2, m_imageSize, m_imageSize));
        painter.setFont(font());
        painter.setPen(resolve(m_prominent ? Brand::onFill : Brand::navy, this));
        painter.drawText(QRectF(left + m_imageSize + m_spacing, 0, text.width() + 1, height()),
            Qt::AlignLeft | Qt::AlignVCenter, this->text());
    }

private:
    double m_imageSize;
    int m_spacing;
    Image m_image;
    bool m_prominent = false;
};

class Divider : public QWidget
{
public:
    explicit Divider(QWidget* parent) : QWidget(parent) { setFixedHeight(1); }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), resolve(Brand::divider, this)); }
};

// The field's frame, with the magnifying glass drawn on it rather than as a widget of its own, so
// screen readers meet the field and not a nameless picture.
// The search field's rounded frame, with the magnifier at its leading end and the ring while the
// field has the keyboard: typing goes there, however the focus came, as in a Mac's text fields.
class SearchBox : public QWidget
{
public:
    explicit SearchBox(QWidget* parent) : QWidget(parent) { }

    void frame(QLineEdit* field)
    {
        m_field = field;
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
            update();
        return QWidget::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPainterPath shape = Drawing::roundedRect(QRectF(rect()), cornerRadius);
        painter.fillPath(shape, resolve(Brand::frost, this));
        Drawing::strokeInside(painter, shape, resolve(Brand::divider, this), 1);
        SymbolImage::paint(painter, QRectF(8, (height() - 12) / 2.0, 12, 12), QStringLiteral("magnifyingglass"),
            resolve(Brand::textSecondary, this));
        if (m_field && m_field->hasFocus())
            FocusRing::paint(painter, shape, this);
    }

private:
    QLineEdit* m_field = nullptr;
};

class ClearButton : public QAbstractButton
{
public:
    explicit ClearButton(QWidget* parent) : QAbstractButton(parent)
    {
        // The glyph, and the box's padding after it.
        setFixedSize(14 + 8, 14);
        setFocusPolicy(Qt::NoFocus);
        //: Accessible name of the button that empties the emoji search field in Settings.
        setAccessibleName(QCoreApplication::translate("Tavro", "Clear search"));
        pointingHandCursor(this);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        SymbolImage::paint(
            painter, QRectF(0, 0, 14, 14), QStringLiteral("xmark.circle.fill"), resolve(Brand::textSecondary, this));
    }
};

class EmojiCell : public QAbstractButton
{
public:
    EmojiCell(const QString& emoji, bool highlighted, bool selected, QWidget* parent)
        : QAbstractButton(parent), m_highlighted(highlighted)
    {
        installAccessibilityTraits();
        setProperty(accessibilitySelectedProperty, selected);
        setText(emoji);
        setAccessibleName(emoji);
        setMinimumSize(10, 30);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        pointingHandCursor(this);
        pressOnReturn(this);
    }

    QSize sizeHint() const override { return {30, 30}; }
    bool highlighted() const { return m_highlighted; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        if (m_highlighted)
            painter.fillPath(
                Drawing::roundedRect(QRectF(rect()), cornerRadius), withOpacity(resolve(Brand::accent, this), 0.18));
        painter.setFont(Drawing::emojiFont(18));
        painter.setPen(resolve(Brand::navy, this));
        painter.drawText(rect(), Qt::AlignCenter, text());
        if (FocusRing::isShown(this))
            FocusRing::paint(painter, Drawing::roundedRect(QRectF(rect()), cornerRadius), this);
    }

private:
    bool m_highlighted;
};

} // namespace

EmojiPopover::EmojiPopover(const EmojiPickerButton& button, QWidget* parent)
    : QWidget(parent, Qt::Popup), m_emoji(button.emoji()), m_photoShown(button.photoShown())
{
    setAttribute(Qt::WA_DeleteOnClose);
    if (const auto appearance = explicitAppearance(&button))
        setExplicitAppearance(this, appearance);
    setFixedWidth(popoverWidth);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(padding, padding, padding, padding);
    column->setSpacing(10);
    if (const auto photoPath = button.photoPath()) {
        m_usePhoto = buildUsePhotoButton(*photoPath);
        m_usePhoto->setObjectName(QStringLiteral("usePhoto"));
        column->addWidget(m_usePhoto, 0, Qt::AlignLeft);
        column->addWidget(new Divider(this));
    }
    //: Title in the emoji popover of a browser profile in Settings.
    auto* title = new QLabel(QCoreApplication::translate("Tavro", "Choose an emoji"), this);
    title->setFont(Drawing::systemFont(12, QFont::Bold));
    setTextColour(title, resolve(Brand::navy, this));
    column->addWidget(title);
    column->addWidget(buildSearchBox());
    column->addWidget(buildGrid());
    column->addWidget(buildNoResultsLabel());
    column->addWidget(new Divider(this));
    column->addWidget(buildNoEmojiButton(), 0, Qt::AlignLeft);
    rebuildGrid();
}

QPushButton* EmojiPopover::buildUsePhotoButton(const QString& photoPath)
{
    //: Button in the emoji popover of a browser profile in Settings: show the browser's own profile photo
    //: instead of an emoji.
    const QString text = QCoreApplication::translate("Tavro", "Use profile photo");
    auto* usePhoto = new ImageTextButton(
        text, 18, 6,
        [this, photoPath](QPainter& painter, const QRectF& rect) {
            ProfilePhoto::paint(painter, rect, photoPath, effectiveAppearance(this));
        },
        this);
    usePhoto->setProminent(m_photoShown);
    usePhoto->setEnabled(!m_photoShown);
    connect(usePhoto, &QPushButton::clicked, this, &EmojiPopover::usePhotoChosen);
    return usePhoto;
}

QWidget* EmojiPopover::buildSearchBox()
{
    auto* box = new SearchBox(this);
    auto* boxRow = new QHBoxLayout(box);
    // The field spans the box, so that what a screen reader outlines is the box that shows the ring.
    boxRow->setContentsMargins(0, 0, 0, 0);
    boxRow->setSpacing(0);
    m_field = new QLineEdit(box);
    m_field->setTextMargins(8 + 12 + 6, 6, 8, 6);
    m_field->setObjectName(QStringLiteral("search"));
    m_field->setFrame(false);
    m_field->setFont(Drawing::systemFont(13));
    m_field->setAttribute(Qt::WA_MacShowFocusRect, false);
    m_field->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; border: none; padding: 0; }"));
    //: Placeholder of the search field in the emoji popover of a browser profile in Settings.
    m_field->setPlaceholderText(QCoreApplication::translate("Tavro", "Search by name, or paste an emoji"));
    m_field->setAccessibleName(m_field->placeholderText());
    setTextColour(m_field, resolve(Brand::navy, this));
    QPalette fieldPalette = m_field->palette();
    fieldPalette.setColor(QPalette::PlaceholderText, resolve(Brand::textSecondary, this));
    m_field->setPalette(fieldPalette);
    box->frame(m_field);
    boxRow->addWidget(m_field, 1);
    m_clear = new ClearButton(box);
    m_clear->setObjectName(QStringLiteral("clearSearch"));
    m_clear->setVisible(false);
    boxRow->addWidget(m_clear);

    connect(m_field, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_clear->setVisible(!text.isEmpty());
        rebuildGrid();
    });
    connect(m_field, &QLineEdit::returnPressed, this, &EmojiPopover::chooseFirst);
    connect(m_clear, &QAbstractButton::clicked, this, [this] {
        m_field->clear();
        m_field->setFocus();
    });
    return box;
}

QWidget* EmojiPopover::buildGrid()
{
    m_grid = new QWidget(this);
    m_gridLayout = new QGridLayout(m_grid);
    m_gridLayout->setContentsMargins(0, 0, 0, 0);
    m_gridLayout->setSpacing(4);
    for (int c = 0; c < gridColumns; ++c)
        m_gridLayout->setColumnStretch(c, 1);
    return m_grid;
}

QLabel* EmojiPopover::buildNoResultsLabel()
{
    m_noResults = new QLabel(this);
    m_noResults->setObjectName(QStringLiteral("noResults"));
    // It quotes what the user typed, which is no markup.
    m_noResults->setTextFormat(Qt::PlainText);
    m_noResults->setFont(Drawing::systemFont(12));
    m_noResults->setAlignment(Qt::AlignCenter);
    m_noResults->setWordWrap(true);
    m_noResults->setMinimumHeight(64);
    setTextColour(m_noResults, resolve(Brand::textSecondary, this));
    return m_noResults;
}

QPushButton* EmojiPopover::buildNoEmojiButton()
{
    //: Button in the emoji popover of a browser profile in Settings that removes the profile's emoji.
    m_noEmoji = new ImageTextButton(
        QCoreApplication::translate("Tavro", "No emoji"), 13, 5,
        [this](QPainter& painter, const QRectF& rect) {
            SymbolImage::paint(painter, rect, QStringLiteral("xmark.circle"), resolve(Brand::navy, this));
        },
        this);
    m_noEmoji->setObjectName(QStringLiteral("noEmoji"));
    m_noEmoji->setEnabled(m_emoji.has_value());
    connect(m_noEmoji, &QPushButton::clicked, this, [this] { Q_EMIT chosen(std::nullopt); });
    return m_noEmoji;
}

void EmojiPopover::showBelow(QWidget* anchor)
{
    m_anchor = anchor;
    adjustSize();
    move(PopoverPlacement::topLeft(*anchor, size(), 4));
    show();
    // The caret goes in on the next turn of the event loop, once the popup owns the keyboard.
    QTimer::singleShot(0, m_field, [field = m_field] { field->setFocus(Qt::PopupFocusReason); });
}

QStringList EmojiPopover::gridEmoji() const
{
    const QString query = m_field->text();
    if (const auto pasted = EmojiInput::normalize(query))
        return {*pasted};
    const QString trimmed = query.trimmed();
    if (!trimmed.isEmpty())
        return EmojiCatalog::search(trimmed, searchLimit);
    return EmojiPickerButton::defaultEmoji();
}

bool EmojiPopover::highlight(const QString& emoji, bool isFirst) const
{
    if (!m_field->text().trimmed().isEmpty())
        return isFirst;
    if (m_photoShown || !m_emoji)
        return false;
    return emoji == *m_emoji;
}

void EmojiPopover::rebuildGrid()
{
    qDeleteAll(m_cells);
    m_cells.clear();
    const QStringList emoji = gridEmoji();
    for (qsizetype i = 0; i < emoji.size(); ++i) {
        auto* cell = new EmojiCell(emoji[i], highlight(emoji[i], i == 0), !m_photoShown && m_emoji == emoji[i], m_grid);
        cell->setObjectName(QStringLiteral("cell"));
        connect(cell, &QAbstractButton::clicked, this, [this, value = emoji[i]] { Q_EMIT chosen(value); });
        m_gridLayout->addWidget(cell, int(i / gridColumns), int(i % gridColumns));
        // A layout shows a new child of a visible widget only on a later turn; the grid is laid
        // out now.
        cell->show();
        cell->installEventFilter(this);
        // In the Tab order where the grid is shown, not after the controls made before it.
        setTabOrder(m_cells.isEmpty() ? static_cast<QWidget*>(m_field) : m_cells.last(), cell);
        m_cells.append(cell);
    }
    if (!m_cells.isEmpty()) {
        setTabOrder(m_cells.last(), m_noEmoji);
        const auto current = std::ranges::find_if(
            m_cells, [](const QAbstractButton* cell) { return static_cast<const EmojiCell*>(cell)->highlighted(); });
        setGridTabStop(current == m_cells.end() ? 0 : current - m_cells.begin());
    }
    m_grid->setVisible(!emoji.isEmpty());
    //: Shown in the emoji popover of Settings when a search finds nothing. %1 is what the user typed.
    m_noResults->setText(
        QCoreApplication::translate("Tavro", "No emoji found for “%1”").arg(m_field->text().trimmed()));
    m_noResults->setVisible(emoji.isEmpty());
    m_gridLayout->activate();
    layout()->activate();
    adjustSize();
}

void EmojiPopover::chooseFirst()
{
    const QStringList emoji = gridEmoji();
    if (!emoji.isEmpty())
        Q_EMIT chosen(emoji.first());
}

void EmojiPopover::setGridTabStop(qsizetype index)
{
    for (qsizetype i = 0; i < m_cells.size(); ++i)
        m_cells[i]->setFocusPolicy(i == index ? Qt::StrongFocus : Qt::ClickFocus);
}

std::optional<qsizetype> EmojiPopover::cellAfterKey(qsizetype index, int key) const
{
    qsizetype next = index;
    switch (key) {
    case Qt::Key_Left:
        next = index - 1;
        break;
    case Qt::Key_Right:
        next = index + 1;
        break;
    case Qt::Key_Up:
        next = index - gridColumns;
        break;
    case Qt::Key_Down:
        next = index + gridColumns;
        break;
    default:
        return std::nullopt;
    }
    // At an edge the keyboard stays on the cell.
    return next >= 0 && next < m_cells.size() ? next : index;
}

bool EmojiPopover::eventFilter(QObject* watched, QEvent* event)
{
    const qsizetype index = m_cells.indexOf(qobject_cast<QAbstractButton*>(watched));
    if (index < 0 || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto next = cellAfterKey(index, static_cast<QKeyEvent*>(event)->key());
    if (!next)
        return false;
    setGridTabStop(*next);
    m_cells[*next]->setFocus(Qt::TabFocusReason);
    return true;
}

void EmojiPopover::mousePressEvent(QMouseEvent* event)
{
    // A press on the button that opened the popover only closes it; replayed to the button, it
    // would open the popover again at once.
    if (m_anchor && !rect().contains(event->position().toPoint())) {
        const QPoint onAnchor = m_anchor->mapFromGlobal(event->globalPosition().toPoint());
        if (m_anchor->rect().contains(onAnchor))
            setAttribute(Qt::WA_NoMouseReplay);
    }
    QWidget::mousePressEvent(event);
}

void EmojiPopover::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), resolve(Brand::frost, this));
    painter.setPen(resolve(Brand::divider, this));
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace tavro
