#pragma once

#include "ui/VbColor.h"

#include <QHash>
#include <QString>
#include <Qt>

#include <optional>
#include <span>

class QWidget;

namespace vcm::app {

enum class ControlKind { Frame, Image, CommandButton, OptionButton, ScrollBar, Label, TextBox };
enum class Picture { None, Schematic, Logo };

/// One control of the main window as it is laid out: everything that is not the platform's default.
struct ControlEntry {
    const char* name;
    ControlKind kind;
    const char* container;  ///< "" for the window's client area, else the name of a frame
    const char* text;       ///< caption or text
    const char* toolTip;
    int left, top, width, height;  ///< twips, relative to the container
    int tabIndex = -1;             ///< -1 for controls without one
    Qt::Alignment alignment = {};
    bool locked = false;     ///< text box that refuses typing (an output)
    bool graphical = false;  ///< command button whose background colour shows
    std::optional<ui::VbColor> backColor = std::nullopt;
    bool visible = true;
    bool selected = false;  ///< option button selected at start
    Picture picture = Picture::None;
};

/// The controls of the main window, containers before their contents.
std::span<const ControlEntry> mainWindowControls();

/// Builds the controls on the client area; returns them by name. Containers come first in the table, so
/// each control's container exists when it is made.
QHash<QString, QWidget*> buildControls(QWidget* client, std::span<const ControlEntry> entries);

/// Gives each input the accessible name of the label beside it.
void nameInputsAfterTheirLabels(const QHash<QString, QWidget*>& controls);

/// Orders the focus chain by tab index (controls that cannot take the focus keep their place in the
/// numbering but are skipped by Tab).
void applyTabOrder(const QHash<QString, QWidget*>& controls, std::span<const ControlEntry> entries);

}  // namespace vcm::app
