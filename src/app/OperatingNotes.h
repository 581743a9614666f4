#pragma once

#include <QString>

namespace vcm::app {

/// The board's operating notes, shown behind the "?" button: eleven lines joined by CR LF.
QString operatingNotesText();

}  // namespace vcm::app
