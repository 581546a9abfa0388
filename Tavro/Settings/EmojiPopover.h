#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <optional>

class QAbstractButton;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavro {

class EmojiPickerButton;

// The popover of an emoji button: search the catalogue or paste an emoji, pick from the grid, go
// back to the profile photo, or remove the emoji. It opens empty, with the caret in the field.
class EmojiPopover : public QWidget
{
    Q_OBJECT
public:
    explicit EmojiPopover(const EmojiPickerButton& button, QWidget* parent = nullptr);

    // Shows the popover under `anchor`, centred on it (see PopoverPlacement).
    void showBelow(QWidget* anchor);

    // The grid's emoji: the pasted emoji, else the search's matches, else the defaults.
    QStringList gridEmoji() const;
    bool highlight(const QString& emoji, bool isFirst) const;

    static constexpr int popoverWidth = 280;
    static constexpr int searchLimit = 24;
    static constexpr int gridColumns = 8;

Q_SIGNALS:
    void chosen(const std::optional<QString>& emoji);
    void usePhotoChosen();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The popover's parts, top to bottom, named "usePhoto", "search" with "clearSearch", a "cell"
    // per emoji of the grid, "noResults" and "noEmoji".
    QPushButton* buildUsePhotoButton(const QString& photoPath);
    QWidget* buildSearchBox();
    QWidget* buildGrid();
    QLabel* buildNoResultsLabel();
    QPushButton* buildNoEmojiButton();

    void rebuildGrid();
    void chooseFirst();
    // The grid is one Tab stop, between the field and "No emoji": the cell of the current emoji
    // (or the first) until the arrow keys move it, cell by cell in reading order and row by row.
    void setGridTabStop(qsizetype index);
    // The cell an arrow key moves to from `index` (itself at an edge); none for another key.
    std::optional<qsizetype> cellAfterKey(qsizetype index, int key) const;

    std::optional<QString> m_emoji;
    bool m_photoShown;
    QWidget* m_anchor = nullptr;
    QLineEdit* m_field;
    QAbstractButton* m_clear;
    QWidget* m_grid;
    QGridLayout* m_gridLayout;
    QList<QAbstractButton*> m_cells;
    QLabel* m_noResults;
    QPushButton* m_usePhoto = nullptr;
    QPushButton* m_noEmoji;
};

} // namespace tavro
