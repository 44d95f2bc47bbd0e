// A print that did not go out, with the message the user is shown as it stands.
#pragma once

#include <QString>

#include <stdexcept>

namespace tavlo {

class PrintFailure : public std::runtime_error {
  public:
    explicit PrintFailure(const QString& message) : std::runtime_error(message.toStdString()) {}
};

} // namespace tavlo
