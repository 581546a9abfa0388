#include "Tavro/Picker/PickerAccessibility.h"

#include "Tavro/Model/HotkeyAssignment.h"
#include "Tavro/Picker/DestinationPickerView.h"
#include "Tavro/Picker/PickerViewModel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPointer>

namespace tavro {

namespace {

// One petal (index ≥ 0) or the hub (index -1). Owned by the view's interface.
class ElementAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    ElementAccessible(DestinationPickerView* view, int index) : m_view(view), m_index(index) { }

    bool isValid() const override { return m_view && m_view->model(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_view ? m_view->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_view.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override { }
    QAccessible::Role role() const override { return QAccessible::Button; }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        if (m_index < 0) {
            if (t == QAccessible::Name)
                return m_view->hubAccessibilityLabel();
            if (t == QAccessible::Description && m_view->model()->lastUsedIndex()) {
                //: VoiceOver hint on a profile petal in the link picker. %1 is a keyboard key, e.g. 1 or A.
                return QCoreApplication::translate("Tavro", "Press %1 to open here")
                    .arg(HotkeyAssignment::mostRecentKey);
            }
            return {};
        }
        if (m_index >= m_view->model()->destinations.size())
            return {};
        const FlowerNode node = m_view->node(m_index);
        if (t == QAccessible::Name)
            return node.accessibilityLabel();
        if (t == QAccessible::Description)
            return node.accessibilityHint();
        return {};
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRectF local = m_index < 0 ? QRectF(m_view->hubCentre() - QPointF(56, 56), QSizeF(112, 112))
                                         : m_view->petalRect(m_index);
        return QRect(m_view->mapToGlobal(local.topLeft().toPoint()), local.size().toSize());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focusable = true;
        if (isValid() && m_index >= 0) {
            s.selectable = true;
            s.selected = m_view->model()->selectedIndex() == m_index;
            s.focused = m_view->focusedPetal() == m_index;
        }
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        if (name != pressAction() || !isValid())
            return;
        if (m_index < 0)
            m_view->model()->chooseSelected();
        else
            m_view->model()->choose(m_index);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<DestinationPickerView> m_view;
    int m_index;
};

class PickerAccessible : public QAccessibleWidget
{
public:
    explicit PickerAccessible(DestinationPickerView* view) : QAccessibleWidget(view, QAccessible::Grouping) { }

    ~PickerAccessible() override
    {
        for (QAccessible::Id id : std::as_const(m_children))
            QAccessible::deleteAccessibleInterface(id);
    }

    DestinationPickerView* view() const { return static_cast<DestinationPickerView*>(widget()); }
    int petalCount() const { return view()->model() ? int(view()->model()->destinations.size()) : 0; }

    // Petals first, in order, then the hub.
    int childCount() const override { return petalCount() + 1; }

    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        const int element = index == petalCount() ? -1 : index;
        if (const auto found = m_children.constFind(element); found != m_children.constEnd())
            return QAccessible::accessibleInterface(*found);
        auto* created = new ElementAccessible(view(), element);
        m_children.insert(element, QAccessible::registerAccessibleInterface(created));
        return created;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int i = 0; i < childCount(); ++i) {
            if (this->child(i) == child)
                return i;
        }
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QPointF point = view()->mapFromGlobal(QPoint(x, y));
        if (view()->hubContains(point))
            return child(petalCount());
        if (const auto index = view()->petalAt(point))
            return child(*index);
        return nullptr;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && view()->model())
            return view()->model()->accessibilityTitle();
        return QAccessibleWidget::text(t);
    }

    static QString cancelAction() { return QStringLiteral("cancel"); }

    // The container's escape gesture cancels the picker.
    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << cancelAction(); }
    void doAction(const QString& name) override
    {
        if (name != cancelAction()) {
            QAccessibleWidget::doAction(name);
            return;
        }
        if (view()->model())
            view()->model()->cancel();
    }

private:
    mutable QHash<int, QAccessible::Id> m_children;
};

QAccessibleInterface* factory(const QString&, QObject* object)
{
    if (auto* view = qobject_cast<DestinationPickerView*>(object))
        return new PickerAccessible(view);
    return nullptr;
}

} // namespace

void PickerAccessibility::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

void PickerAccessibility::notifyFocus(DestinationPickerView* view, int index)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface* container = QAccessible::queryAccessibleInterface(view);
    if (!container)
        return;
    if (QAccessibleInterface* element = container->child(index)) {
        QAccessibleEvent event(element, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}

void PickerAccessibility::notifyNamesChanged(DestinationPickerView* view)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface* container = QAccessible::queryAccessibleInterface(view);
    if (!container)
        return;
    for (int i = 0; i < container->childCount(); ++i) {
        QAccessibleEvent event(container->child(i), QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace tavro
