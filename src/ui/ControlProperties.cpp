#include "ui/ControlProperties.h"

#include "ui/Twips.h"

#include <QVariant>
#include <QWidget>

namespace vcm {
namespace {

constexpr const char* leftKey = "twipsLeft";
constexpr const char* topKey = "twipsTop";
constexpr const char* widthKey = "twipsWidth";
constexpr const char* heightKey = "twipsHeight";
constexpr const char* backKey = "vbBackColor";
constexpr const char* foreKey = "vbForeColor";

int intProperty(const QWidget* control, const char* key, int fallback) {
    const QVariant value = control->property(key);
    return value.isValid() ? value.toInt() : fallback;
}

void applyGeometry(QWidget* control) {
    control->setGeometry(
        twipsRect(twipsLeft(control), twipsTop(control), twipsWidth(control), twipsHeight(control)));
}

}  // namespace

void setTwipsGeometry(QWidget* control, int left, int top, int width, int height) {
    control->setProperty(leftKey, left);
    control->setProperty(topKey, top);
    control->setProperty(widthKey, width);
    control->setProperty(heightKey, height);
    applyGeometry(control);
}

void setTwipsTop(QWidget* control, int top) {
    control->setProperty(topKey, top);
    applyGeometry(control);
}

int twipsLeft(const QWidget* control) {
    return intProperty(control, leftKey, pixelsToTwips(control->x()));
}
int twipsTop(const QWidget* control) {
    return intProperty(control, topKey, pixelsToTwips(control->y()));
}
int twipsWidth(const QWidget* control) {
    return intProperty(control, widthKey, pixelsToTwips(control->width()));
}
int twipsHeight(const QWidget* control) {
    return intProperty(control, heightKey, pixelsToTwips(control->height()));
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
    return value.isValid() ? static_cast<VbColor>(value.toULongLong()) : vbWindowBackground;
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
    return value.isValid() ? static_cast<VbColor>(value.toULongLong()) : vbWindowText;
}

}  // namespace vcm
