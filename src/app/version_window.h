// The version window: name, icon, version and an OK button.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace tavlo {

// Registers the icons compiled into the program (the library that holds them is static).
void loadTavloResources();

class VersionWindow : public QWidget {
    Q_OBJECT
  public:
    explicit VersionWindow(QWidget* parent = nullptr);
};

} // namespace tavlo
