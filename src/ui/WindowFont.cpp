#include "ui/WindowFont.h"

#include <QStringList>

namespace vcm::ui {

void substituteArialTwins() {
    // Used only where no face called Arial exists: Wine without the Windows fonts otherwise took the first
    // face it listed (a mathematical one), and the text boxes showed no readable text.
    static const bool done = [] {
        QFont::insertSubstitutions(QStringLiteral("Arial"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
        return true;
    }();
    (void)done;
}

QFont windowFont() {
    substituteArialTwins();
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    return font;
}

}  // namespace vcm::ui
