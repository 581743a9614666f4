#pragma once

#include <QAccessibleWidget>

namespace vcm::ui {

class VbScrollBar;

/// What assistive technology is told about a VbScrollBar: the value, bounds and step as the user sees
/// them (the top end's value first), not the inverted position Qt keeps inside the bar. Setting the
/// value through it moves the bar as a user's change does.
class VbScrollBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit VbScrollBarAccessible(VbScrollBar* bar);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

  private:
    VbScrollBar* bar() const;
};

/// Registers the interface above with Qt's accessibility for every VbScrollBar; repeated calls are
/// harmless. VbScrollBar calls it itself, before anything can ask for its interface.
void installVbScrollBarAccessibility();

}  // namespace vcm::ui
