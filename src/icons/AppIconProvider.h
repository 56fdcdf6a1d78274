#pragma once

#include <QImage>

// The application's own icon: the image shipped in the program's resources,
// else one installed beside it; a null image when there is none.
namespace AppIconProvider {

QImage icon();

} // namespace AppIconProvider
