// The main window.
#pragma once

#include "document/document.h"

#include <QLabel>
#include <QMainWindow>
#include <QScrollArea>

class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    explicit TForm1(QWidget* parent = nullptr);
    void openFile(const QString& path);

  private:
    void showDocument();

    tavlo::Document document_;
    QScrollArea* scrollArea_;
    QLabel* Image1;
    std::array<QLabel*, tavlo::kStatusPanelCount> panels_{};
};
