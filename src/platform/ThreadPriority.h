#pragma once

namespace trovique {

// Lowers the priority of the calling thread, for work that should take only the processor time
// others leave. Where that cannot be done, the thread goes on as it was.
void LowerThisThreadsPriority() noexcept;

}  // namespace trovique
