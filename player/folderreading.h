#pragma once

// Reading a folder's entries synchronously, telling "empty" apart from "could not be read".

#include <QDir>
#include <QStringList>
#include <optional>

namespace tesmora {

// The names of the entries of `folder` that pass `filters` and match one of `patterns`
// (case-insensitively; none = all), sorted for showing. Nothing when the folder does not exist,
// cannot be opened or entered, or vanished while it was read.
std::optional<QStringList> readFolder(const QString &folder, QDir::Filters filters,
                                      const QStringList &patterns = {});

} // namespace tesmora
