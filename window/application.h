// The program's identity as the desktop sees it.
#pragma once

namespace kelmora {

// Names the running QApplication "kelmora", version 1.00, with the desktop
// entry's id. Call once the QApplication exists.
void SetApplicationIdentity();

}  // namespace kelmora
