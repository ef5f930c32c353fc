#pragma once
// The start picture: a vortex pair drawn from a synthetic field, made by the
// program itself at start-up (563 x 315 pixels).

#include <QImage>

namespace sx {

QImage MakeSplashPicture();

}  // namespace sx
