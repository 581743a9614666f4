#pragma once

#include "app/ControlInventory.h"
#include "ui/Pictures.h"

namespace vcm::app {

inline QWidget* makePicture(Picture picture, QWidget* container) {
    if (picture == Picture::Logo) {
        return new ui::LogoPicture(container);
    }
    return new ui::SchematicPicture(container);
}

}  // namespace vcm::app
