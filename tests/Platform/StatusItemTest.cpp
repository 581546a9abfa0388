#include "Tavro/Platform/StatusItem.h"
#include "Tavro/Simulation/StatusItemHost.h"

#include <QImage>
#include <QStringList>
#include <gtest/gtest.h>

using namespace tavro;

namespace {

QStringList warnings;

void keepWarning(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtWarningMsg)
        warnings.append(message);
}

// The system tray's own backend: its icon appears once there is an image to show, so that Qt has
// nothing to warn about at start.
TEST(StatusItemTest, TheTrayIconIsShownOnlyWithItsImage)
{
    StatusItem::setBackend(&StatusItem::systemBackend());
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepWarning);
    {
        StatusItem item;
        QImage image(18, 18, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        item.setImage(image, true);
    }
    qInstallMessageHandler(previous);
    StatusItemHost::install();
    EXPECT_TRUE(warnings.filter("No Icon set").isEmpty()) << warnings.join('\n').toStdString();
}

} // namespace
