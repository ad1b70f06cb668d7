#pragma once

// The folder and file lists read in the background and go on without a folder that is slow to
// answer. A test that looks at a list straight after an action needs the answer within that
// action however loaded the machine is, so it waits longer for local folders than the program.

#include "player/folderreading.h"

namespace tesmora::testing {

class PatientFolderReading
{
public:
    explicit PatientFolderReading(std::chrono::milliseconds wait = std::chrono::seconds(30))
        : before(FolderReader::patience())
    {
        FolderReader::setPatience(wait);
    }
    ~PatientFolderReading() { FolderReader::setPatience(before); }
    PatientFolderReading(const PatientFolderReading &) = delete;
    PatientFolderReading &operator=(const PatientFolderReading &) = delete;

private:
    std::chrono::milliseconds before;
};

} // namespace tesmora::testing
