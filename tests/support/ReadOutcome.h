#pragma once
// What every file reader must give for any input, whole or damaged: a
// failure with at least one message to show, or a document whose arrays fit
// its grid within the node bound and hold only finite numbers. Shared by the
// robustness tests and the fuzz targets.

#include <string>

#include "SdxFile.h"

namespace sx {

// What is wrong with the outcome; empty when it is sound.
std::string UnsoundReadOutcome(const ReadResult &r, const VectorDocument &doc);

}  // namespace sx
