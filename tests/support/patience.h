#pragma once

// The folder and file lists read in the background and go on without a folder that is slow to
// answer. A test that looks at a list straight after an action needs the answer within that
// action however loaded the machine is, so the window's lists may wait longer for local folders
// than the program does.

#include "player/drivelist.h"
#include "player/folderreading.h"

#include <QWidget>

namespace tesmora::testing {

// Sets how long every list of `window` waits for a folder or a drive before it goes on without
// it.
inline void setListPatience(const QWidget &window, std::chrono::milliseconds wait)
{
    for (FolderReader *reader : window.findChildren<FolderReader *>())
        reader->setPatience(wait);
    for (DriveList *drives : window.findChildren<DriveList *>())
        drives->setPatience(wait);
}

} // namespace tesmora::testing
