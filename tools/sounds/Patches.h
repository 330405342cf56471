#pragma once

#include "Instrument.h"

#include <memory>

// The instruments of the soundtrack, shared by every piece so that the
// music keeps one sound.
namespace patches {

std::unique_ptr<Instrument> bass();
std::unique_ptr<Instrument> softBass();
std::unique_ptr<Instrument> lead();
std::unique_ptr<Instrument> softLead();
std::unique_ptr<Instrument> pluck();
std::unique_ptr<Instrument> pad();
std::unique_ptr<Instrument> mallet();
std::unique_ptr<Instrument> chime();

}  // namespace patches
