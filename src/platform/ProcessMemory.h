#pragma once

namespace velmora {

/** Resident memory of this process in kB, from /proc; 0 where there is none. */
long ResidentKilobytes();

} // namespace velmora
