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

    QLabel* Label1;
    QLabel* Image1;
    QLabel* Label2;
    QLabel* Label3;
    QPushButton* BitBtn1;
};

} // namespace tavlo
