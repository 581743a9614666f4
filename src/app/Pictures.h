#pragma once

#include "app/ControlInventory.h"
#include "ui/Pictures.h"

namespace vcm {

inline QWidget* makePicture(Picture picture, QWidget* container) {
    if (picture == Picture::Logo) {
        return new LogoPicture(container);
    }
    return new SchematicPicture(container);
}

}  // namespace vcm
