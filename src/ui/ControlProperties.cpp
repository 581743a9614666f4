#include "ui/ControlProperties.h"

#include "ui/Twips.h"

#include <QLineEdit>
#include <QObject>
#include <QRect>
#include <QVariant>
#include <QWidget>

namespace vcm::ui {
namespace {

constexpr const char* backKey = "vbBackColor";
constexpr const char* foreKey = "vbForeColor";

/// A control's twips geometry, kept as a child object of the control. Finding it again looks at the
/// control's few children, where a property is first searched for in the control's whole property table;
/// a calculation places two controls and reads where they stand.
class TwipsPlacement final : public QObject {
  public:
    TwipsPlacement(QWidget* control, const QRect& placed) : QObject(control), twips(placed) {}
    QRect twips;
};

TwipsPlacement* placementOf(const QWidget* control) {
    for (QObject* child : control->children()) {
        if (auto* placement = dynamic_cast<TwipsPlacement*>(child)) {
            return placement;
        }
    }
    return nullptr;
}

/// The twips geometry kept on the control, or its pixel geometry in twips for a control never placed so.
QRect twipsGeometry(const QWidget* control) {
    if (const TwipsPlacement* placement = placementOf(control)) {
        return placement->twips;
    }
    return QRect(pixelsToTwips(control->x()), pixelsToTwips(control->y()), pixelsToTwips(control->width()),
                 pixelsToTwips(control->height()));
}

void place(QWidget* control, const QRect& twips) {
    if (TwipsPlacement* placement = placementOf(control)) {
        placement->twips = twips;
    } else {
        new TwipsPlacement(control, twips);
    }
    control->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
}

}  // namespace

void setTwipsGeometry(QWidget* control, int left, int top, int width, int height) {
    place(control, QRect(left, top, width, height));
}

void setTwipsTop(QWidget* control, int top) {
    // The control was placed when its geometry was set; placing it again at the same top changes nothing.
    const TwipsPlacement* placement = placementOf(control);
    if (placement != nullptr && placement->twips.y() == top) {
        return;
    }
    QRect twips = twipsGeometry(control);
    twips.moveTop(top);
    place(control, twips);
}

int twipsLeft(const QWidget* control) {
    return twipsGeometry(control).x();
}
int twipsTop(const QWidget* control) {
    return twipsGeometry(control).y();
}
int twipsWidth(const QWidget* control) {
    return twipsGeometry(control).width();
}
int twipsHeight(const QWidget* control) {
    return twipsGeometry(control).height();
}

void setControlText(QLineEdit* box, const QString& text) {
    // With an undo history, only setText clears it; otherwise these are all that setText does to a box
    // that already shows the text (moving the cursor also ends a selection, signalled in setText's order).
    if (box->text() == text && !box->isUndoAvailable() && !box->isRedoAvailable()) {
        box->setCursorPosition(static_cast<int>(text.size()));
        box->setModified(false);
        return;
    }
    box->setText(text);
}

void setBackColor(QWidget* control, VbColor color) {
    control->setProperty(backKey, static_cast<qulonglong>(color));
    QPalette palette = control->palette();
    const QColor resolved = toQColor(color, QPalette());
    palette.setColor(QPalette::Base, resolved);
    palette.setColor(QPalette::Window, resolved);
    control->setPalette(palette);
}

VbColor backColor(const QWidget* control) {
    const QVariant value = control->property(backKey);
    return value.isValid() ? static_cast<VbColor>(value.toULongLong()) : kVbWindowBackground;
}

void setForeColor(QWidget* control, VbColor color) {
    control->setProperty(foreKey, static_cast<qulonglong>(color));
    QPalette palette = control->palette();
    const QColor resolved = toQColor(color, QPalette());
    palette.setColor(QPalette::Text, resolved);
    palette.setColor(QPalette::WindowText, resolved);
    control->setPalette(palette);
}

VbColor foreColor(const QWidget* control) {
    const QVariant value = control->property(foreKey);
    return value.isValid() ? static_cast<VbColor>(value.toULongLong()) : kVbWindowText;
}

}  // namespace vcm::ui
