#include "ui/VbColor.h"

namespace vcm::ui {

QColor toQColor(VbColor value, const QPalette& palette) {
    if ((value & 0x80000000u) != 0) {
        switch (value & 0xFFu) {
            case 0x05:
                return palette.color(QPalette::Base);
            case 0x08:
                return palette.color(QPalette::Text);
            case 0x12:
                return palette.color(QPalette::ButtonText);
            case 0x0F:
            default:
                return palette.color(QPalette::Button);
        }
    }
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}

}  // namespace vcm::ui
