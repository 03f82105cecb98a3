#pragma once

namespace app {

// Save: stores the picture of the current path as a JPEG in the program's directory.
void OnSave();
// Batch save: runs Get and Save as many times as the edit box says, 1 to 20.
void OnBatchSave();

}  // namespace app
