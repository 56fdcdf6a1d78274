#pragma once

#include "shelf/DropItem.h"

class QMimeData;

// What a drop onto the shelf stages, in the order the drag offers it: file
// addresses as files (images among them as images), other addresses as links;
// without addresses, text that is not blank. Anything else stages nothing.
namespace DropIntake {

QList<DropItem> itemsFrom(const QMimeData &data);

} // namespace DropIntake
