#include "ui/VbScrollBarAccessible.h"

#include "ui/VbScrollBar.h"

#include <algorithm>

namespace vcm::ui {
namespace {

QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
    if (className != QLatin1String(VbScrollBar::staticMetaObject.className())) {
        return nullptr;
    }
    auto* bar = qobject_cast<VbScrollBar*>(object);
    return bar != nullptr ? new VbScrollBarAccessible(bar) : nullptr;
}

}  // namespace

VbScrollBarAccessible::VbScrollBarAccessible(VbScrollBar* bar)
    : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

VbScrollBar* VbScrollBarAccessible::bar() const {
    return static_cast<VbScrollBar*>(widget());
}

void* VbScrollBarAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface) {
        return static_cast<QAccessibleValueInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QString VbScrollBarAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) {
        return QString::number(bar()->value());
    }
    return QAccessibleWidget::text(t);
}

QVariant VbScrollBarAccessible::currentValue() const {
    return bar()->value();
}

void VbScrollBarAccessible::setCurrentValue(const QVariant& value) {
    bar()->setValue(value.toInt());
}

QVariant VbScrollBarAccessible::maximumValue() const {
    return std::max(bar()->vbMin(), bar()->vbMax());
}

QVariant VbScrollBarAccessible::minimumValue() const {
    return std::min(bar()->vbMin(), bar()->vbMax());
}

QVariant VbScrollBarAccessible::minimumStepSize() const {
    return bar()->singleStep();
}

void installVbScrollBarAccessibility() {
    // Qt keeps each factory once, however often it is installed.
    QAccessible::installFactory(accessibleFor);
}

}  // namespace vcm::ui
