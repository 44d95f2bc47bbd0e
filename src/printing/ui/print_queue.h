// What the CUPS scheduler says of a queue and of the jobs sent to it. Qt hands the page to CUPS
// without telling whether the job arrived, so the program asks the scheduler itself.
#pragma once

#include <QString>

namespace tavlo {

// The queue's default resolution in dots per inch, or 0 when the scheduler names none.
int queueResolution(const QString& queue);

// Empty when the queue takes jobs; otherwise why not, in the words the user is shown.
QString queueRefusal(const QString& queue);

// The scheduler's newest job number before a print, so that the print's own job can be told
// from older ones afterwards; -1 when the scheduler cannot be asked.
int newestJob();

// Empty when a job newer than `before` reached the queue and was not aborted or cancelled;
// otherwise what became of the print.
QString jobFailure(const QString& queue, int before);

} // namespace tavlo
