#include "Tavro/Controls/BrowserDataHintBanner.h"

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Model/Brand.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QVBoxLayout>

namespace tavro {

namespace {

QString listOf(const BrowserDataHint& hint)
{
    return BrowserDataHintBanner::browserList(hint.browsers());
}

QString titleFor(const BrowserDataHint& hint)
{
    if (hint.kind() == BrowserDataHint::Kind::none)
        return {};
    //: Banner title when macOS blocks reading browser profile data. %1 is a list of browser names, e.g. Chrome and
    //: Edge.
    return QCoreApplication::translate("Tavro", "Let Tavro see your %1 profiles").arg(listOf(hint));
}

QString messageFor(const BrowserDataHint& hint)
{
    if (hint.kind() == BrowserDataHint::Kind::none)
        return {};
    //: Banner body introducing numbered steps to grant access. %1 is a list of browser names, e.g. Chrome and Edge.
    return QCoreApplication::translate(
        "Tavro", "macOS blocks Tavro from reading other apps’ data, so it can’t list %1 profiles yet:")
        .arg(listOf(hint));
}

// The step's number, white on an accent disc.
class StepNumber : public QWidget
{
public:
    StepNumber(int number, QWidget* parent) : QWidget(parent), m_number(number) { setFixedSize(15, 15); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(resolve(Brand::accent, this));
        painter.drawEllipse(QRectF(rect()));
        painter.setPen(Qt::white);
        painter.setFont(Drawing::systemFont(9.5, QFont::Bold));
        painter.drawText(rect(), Qt::AlignCenter, QString::number(m_number));
    }

private:
    int m_number;
};

} // namespace

QString BrowserDataHintBanner::browserList(const QStringList& browsers)
{
    if (browsers.isEmpty()) {
        //: Fallback word used in place of a list of browser names when none are known, e.g. Let Tavro see your browser
        //: profiles.
        return QCoreApplication::translate("Tavro", "browser");
    }
    // The C locale has no language of its own; its texts are the English ones, so is its list.
    const QLocale locale = QLocale().language() == QLocale::C ? QLocale(QLocale::English) : QLocale();
    return locale.createSeparatedList(browsers);
}

BrowserDataHintBanner::BrowserDataHintBanner(const BrowserDataHint& hint, QWidget* parent)
    : HintBanner(QStringLiteral("lock.shield"), titleFor(hint), messageFor(hint), parent), m_hint(hint)
{
    if (hint.kind() == BrowserDataHint::Kind::none) {
        setVisible(false);
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        return;
    }
    const QString list = listOf(hint);
    auto* steps = new QVBoxLayout;
    steps->setSpacing(5);
    steps->setContentsMargins(0, 1, 0, 1);
    column()->addLayout(steps);
    // Steps 1 and 4 name the buttons below; a translation keeps them equal to the button labels.
    const QStringList texts{
        //: First step in the browser data banner; the bold part must match the Allow in Files & Folders… button.
        QCoreApplication::translate("Tavro", "Click **Allow in Files & Folders…** below."),
        //: Second step in the browser data banner.
        QCoreApplication::translate("Tavro", "In that list, click the **⌄ arrow next to Tavro** to expand it."),
        //: Third step in the browser data banner. %1 is a list of browser names.
        QCoreApplication::translate("Tavro", "Switch on each browser under it (%1).").arg(list),
        //: Last step in the browser data banner; the bold part must match the Re-check button.
        QCoreApplication::translate("Tavro", "Come back and click **Re-check**."),
    };
    for (int i = 0; i < texts.size(); ++i) {
        auto* row = new QHBoxLayout;
        row->setSpacing(8);
        row->setAlignment(Qt::AlignTop);
        row->addWidget(new StepNumber(i + 1, this), 0, Qt::AlignTop);
        auto* text = new QLabel(this);
        text->setTextFormat(Qt::MarkdownText);
        text->setText(texts[i]);
        text->setWordWrap(true);
        text->setFont(Drawing::systemFont(11));
        text->setAccessibleName(
            QStringLiteral("%1. %2").arg(i + 1).arg(QString(texts[i]).remove(QStringLiteral("**"))));
        addSecondaryLabel(text);
        row->addWidget(text, 1);
        steps->addLayout(row);
        m_steps.append(texts[i]);
    }
    addButtons(
        //: Button that opens the Files & Folders privacy pane in System Settings. Use Apple's localized name for Files
        //: & Folders.
        QCoreApplication::translate("Tavro", "Allow in Files & Folders…"), [this] {
            Q_EMIT probeBrowserDataRequested();
            Q_EMIT openFilesAndFoldersSettingsRequested();
        });
}

} // namespace tavro
