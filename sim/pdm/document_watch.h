// Keeps the PDM's per-document environments in step with the host's documents: when the host
// destroys a document, its environment goes with it, so a later document that happens to
// reuse the address starts empty.
#pragma once

namespace sim::pdm {

// Attaches the watch to the host's document manager once one exists; cheap to call often.
void watchDocuments();

}  // namespace sim::pdm
