#pragma once
// Stands for a status item in the system menu bar: its button's image, title, tooltip and
// accessibility label, and the menu a click opens. Here it is a system tray icon wherever a tray
// runs; without one the item and its menu are still built, and only a test clicks it
// (StatusItemHost.h).

#include <QImage>
#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

#include <memory>

namespace tavro {

class StatusItem : public QObject
{
    Q_OBJECT
public:
    class Backend
    {
    public:
        virtual ~Backend() = default;
        virtual void added(StatusItem& item) = 0;
        // The image, title, tooltip or menu changed.
        virtual void changed(StatusItem& item) = 0;
        virtual void removed(StatusItem& item) = 0;
        // Whether the bar shows items at all.
        virtual bool isAvailable() const = 0;
    };
    static Backend& systemBackend();
    // Routes status items to `backend` (not owned); nullptr puts the system backend back.
    static void setBackend(Backend* backend);
    // Whether a status bar (a system tray) shows items now.
    static bool isAvailable();
    // What a tray shows for `image`: a template becomes a glyph that reads on a light and a dark panel.
    static QImage trayImage(const QImage& image, bool isTemplate);

    // Adds the item to the status bar; destroying it removes it.
    explicit StatusItem(QObject* parent = nullptr);
    ~StatusItem() override;

    QImage image() const { return m_image; }
    // A template image is a mask: the bar draws it in its own foreground colour.
    bool isTemplate() const { return m_isTemplate; }
    void setImage(const QImage& image, bool isTemplate);
    QString title() const { return m_title; }
    void setTitle(const QString& title);
    QString toolTip() const { return m_toolTip; }
    void setToolTip(const QString& toolTip);
    QString accessibilityLabel() const { return m_accessibilityLabel; }
    void setAccessibilityLabel(const QString& label);
    QMenu* menu() const { return m_menu.get(); }
    // The item owns its menu; a new one replaces the old for the next click. The old one is
    // destroyed on the next turn of the event loop, never inside its own event.
    void setMenu(std::unique_ptr<QMenu> menu);

    // Opens the menu at `position` (global coordinates), as a click on the item does.
    void click(const QPoint& position);

private:
    void notifyChanged();
    static void retire(std::unique_ptr<QMenu> menu);

    QImage m_image;
    bool m_isTemplate = false;
    QString m_title;
    QString m_toolTip;
    QString m_accessibilityLabel;
    std::unique_ptr<QMenu> m_menu;
};

} // namespace tavro
