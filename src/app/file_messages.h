// What the user reads when a picture cannot be opened or saved: the file's name and the reason,
// in Japanese.
#pragma once

#include "document/file_problem.h"

#include <QString>

namespace tavlo {

QString loadFailureText(const QString& fileName, FileProblem problem);
QString saveFailureText(const QString& fileName, FileProblem problem);

} // namespace tavlo
