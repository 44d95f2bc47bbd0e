// What the user is told when an action fails with an exception.
#pragma once

#include <QString>

#include <exception>

namespace tavlo {

// A result beyond the pixel cap, memory running out (counting the histogram words it as its own),
// a kernel's own error, a print that did not go out, or anything else.
QString failureText(const std::exception& error);

} // namespace tavlo
