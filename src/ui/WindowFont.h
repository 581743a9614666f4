#pragma once

#include <QFont>

namespace vcm::ui {

/// The face the window is laid out for: Arial, 11 pixels (8.25 points at 96 dpi). Where Arial is not
/// installed (Linux, Wine) its metric twins stand in for it by name, so captions keep the sizes the layout
/// gives them instead of falling to whatever face a font database lists first.
QFont windowFont();

/// Names Arial's metric twins as its substitutes, once per process; windowFont() does it too.
void substituteArialTwins();

}  // namespace vcm::ui
